#include "albums/CTimeFormat.h"

#include "albums/DateTimeText.h"
#include "platform/TimeZone.h"

namespace dz {

namespace {
constexpr int kHelpTopic = 13;
}

CTimeFormat::CTimeFormat(Host& host, std::int32_t& dateFormatIndex, std::int32_t& timeFormatIndex,
                         std::function<void()> reload, std::function<void()> save, std::int64_t now)
    : Window(host, "CTimeFormat", "Date and Time format", kHelpTopic),
      dateFormatIndex_(dateFormatIndex),
      timeFormatIndex_(timeFormatIndex),
      reload_(std::move(reload)),
      save_(std::move(save)),
      now_(now) {
    addControl(kDateGroup, ControlKind::Group, "Date");
    addControl(kTimeGroup, ControlKind::Group, "Time");
    addControl(kDateLabel, ControlKind::Static, "Current date format:");
    addControl(kTimeLabel, ControlKind::Static, "Current time format:");
    addControl(kDateList, ControlKind::ComboBox);
    addControl(kTimeList, ControlKind::ComboBox);
    addControl(kSave, ControlKind::Button, "Save");
    addControl(kDiscard, ControlKind::Button, "Discard");
}

void CTimeFormat::onInit() {
    if (reload_) {
        reload_();
    }
    const int bias = currentTimeZone().totalBiasMinutes();
    Control& dates = control(kDateList);
    dates.items.clear();
    for (int i = 1; i <= kDateFormatCount; ++i) {
        dates.items.push_back(formatTimeValue(now_, datePattern(i), bias));
    }
    dates.selection = dateFormatIndex_ - 1;
    Control& times = control(kTimeList);
    times.items.clear();
    for (int i = 1; i <= kTimeFormatCount; ++i) {
        times.items.push_back(formatTimeValue(now_, timePattern(i), bias));
    }
    times.selection = timeFormatIndex_ - 1;
    // An index outside the lists selects nothing.
    if (dates.selection < -1 || dates.selection >= kDateFormatCount) {
        dates.selection = -1;
    }
    if (times.selection < -1 || times.selection >= kTimeFormatCount) {
        times.selection = -1;
    }
    refresh();
}

void CTimeFormat::onCommand(int id) {
    if (id == kSave) {
        dateFormatIndex_ = control(kDateList).selection + 1;
        timeFormatIndex_ = control(kTimeList).selection + 1;
        if (save_) {
            save_();
        }
        endDialog(kResultOk);
        return;
    }
    if (id == kDiscard) {
        endDialog(kResultCancel);
    }
}

}  // namespace dz
