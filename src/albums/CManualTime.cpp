#include "albums/CManualTime.h"

#include "albums/DateTimeText.h"
#include "albums/LocalDateTime.h"

namespace dz {

namespace {

constexpr int kHelpTopic = 16;
constexpr std::int64_t kTicksPerSecond = 10000000LL;

}  // namespace

CManualTime::CManualTime(Host& host, Album& album, std::optional<std::uint64_t> firstShot,
                         std::optional<std::uint64_t> lastShot, int biasMinutes)
    : Window(host, "CManualTime", "Manual Time Range Settings", kHelpTopic),
      album_(album),
      firstShot_(firstShot),
      lastShot_(lastShot),
      biasMinutes_(biasMinutes) {
    addControl(kStartGroup, ControlKind::Group, "Start Date/Time");
    addControl(kStartDate, ControlKind::Edit);
    addControl(kStartTime, ControlKind::Edit);
    addControl(kTo, ControlKind::Static, "to");
    addControl(kEndGroup, ControlKind::Group, "End Date/Time");
    addControl(kEndDate, ControlKind::Edit);
    addControl(kEndTime, ControlKind::Edit);
    addControl(kOk, ControlKind::Button, "OK");
    addControl(kCancel, ControlKind::Button, "Cancel");
}

void CManualTime::show(End& end, std::uint64_t value) {
    const LocalDateTime local = localDateTimeOf(static_cast<std::int64_t>(value), biasMinutes_);
    end.opened = value;
    end.openedDate = pickerDateText(local);
    end.openedTime = pickerTimeText(local);
    control(end.dateId).text = end.openedDate;
    control(end.timeId).text = end.openedTime;
}

void CManualTime::onInit() {
    // An end the album has set shows itself, also when the other one is not
    // set; an open end shows the film's first or last picture. With an empty
    // film there is no picture, and the pickers start on the current time as
    // a date picker does.
    const auto now = static_cast<std::uint64_t>(currentTimeValue());
    const std::uint64_t nowSecond = now - now % kTicksPerSecond;
    show(start_, album_.startKey != 0 ? album_.startTime : firstShot_.value_or(nowSecond));
    show(end_, album_.endKey != 0 ? album_.endTime : lastShot_.value_or(nowSecond));
    refresh();
}

std::optional<std::uint64_t> CManualTime::chosen(const End& end) const {
    const std::string& date = control(end.dateId).text;
    const std::string& time = control(end.timeId).text;
    // Untouched pickers give back exactly what they showed, parts of a second
    // and values beyond the pickers' years included.
    if (end.opened != 0 && date == end.openedDate && time == end.openedTime) {
        return end.opened;
    }
    const std::optional<LocalDateTime> local = readPickers(date, time);
    if (!local) {
        return std::nullopt;
    }
    const std::optional<std::int64_t> value = timeValueOf(*local, biasMinutes_);
    if (!value) {
        return std::nullopt;
    }
    return static_cast<std::uint64_t>(*value);
}

void CManualTime::ok() {
    const std::optional<std::uint64_t> start = chosen(start_);
    const std::optional<std::uint64_t> end = chosen(end_);
    // A picker without a valid time keeps the window open and the album as it was.
    if (!start || !end) {
        refresh();
        return;
    }
    // No order check: a start after the end is kept and the album holds no picture.
    album_.setStart(*start);
    album_.setEnd(*end);
    endDialog(kResultOk);
}

void CManualTime::onCommand(int id) {
    switch (id) {
    case kOk:
        ok();
        return;
    case kCancel:
        endDialog(kResultCancel);
        return;
    default:
        return;
    }
}

}  // namespace dz
