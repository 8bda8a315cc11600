#include "app/CCameraClocksDlg.h"

#include "albums/DateTimeText.h"
#include "app/CSameMomentDlg.h"
#include "app/MainWindowTexts.h"
#include "platform/TimeZone.h"
#include "timeline/CatalogueTimeline.h"
#include "timeline/SameMoment.h"

#include <algorithm>
#include <numeric>

namespace dz {

namespace {

std::string trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string fileNameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Tabs part the columns of a row.
std::string cell(std::string text) {
    std::replace(text.begin(), text.end(), '\t', ' ');
    return text;
}

std::string clockColumn(const std::string& clock) {
    return clock == "local" ? std::string("Local time of the place") : clock;
}

// The camera as the texts name it: its model, which mostly names the make too.
std::string cameraName(const CameraBody& body) {
    std::string name = body.model.empty() ? body.make : body.model;
    if (!body.serial.empty()) {
        name += " (" + body.serial + ")";
    }
    return name;
}

}  // namespace

const std::vector<std::string>& CCameraClocksDlg::cameraColumns() {
    static const std::vector<std::string> names = {"Make", "Model",      "Serial", "Pictures", "First shot",
                                                   "Last shot", "Clock", "Correction", "Why"};
    return names;
}

CCameraClocksDlg::CCameraClocksDlg(Host& host, const std::vector<PictureRecord>& pictures, CameraClocks& clocks,
                                   bool& oneTimeline, CameraClocksContext context)
    : Window(host, "CCameraClocksDlg", "Camera clocks", 25),
      pictures_(pictures),
      clocks_(clocks),
      oneTimeline_(oneTimeline),
      context_(std::move(context)) {
    addControl(kOneTimeline, ControlKind::CheckBox, "One timeline for every camera");
    addControl(kCameras, ControlKind::ListBox);
    addControl(kClockLabel, ControlKind::Static, "Clock:");
    addControl(kClock, ControlKind::Edit);
    addControl(kCorrectionLabel, ControlKind::Static, "Correction:");
    addControl(kCorrection, ControlKind::Edit);
    addControl(kSet, ControlKind::Button, "Set");
    addControl(kSameMoment, ControlKind::Button, "Same moment...");
    addControl(kWhy, ControlKind::Static);
    addControl(kHint, ControlKind::Static,
               "Clock: \"local\" when the camera showed the local time of the place, +HH:MM or -HH:MM, or a zone "
               "name such as Europe/Berlin. Correction: +H:MM:SS or -H:MM:SS added to every shot time of the "
               "camera.");
    addControl(kOk, ControlKind::Button, "OK");
    addControl(kCancel, ControlKind::Button, "Cancel");
}

void CCameraClocksDlg::onInit() {
    working_ = clocks_;
    control(kOneTimeline).checked = oneTimeline_;
    input_ = timelineInputOf(pictures_);
    control(kCameras).selection = input_.bodies.empty() ? -1 : 0;
    resolve();
    showSelected();
}

void CCameraClocksDlg::resolve() {
    times_ = resolveTimeline(input_, working_, context_.places, context_.computerOffset);
    cameras_ = summariseCameras(input_, times_, working_);
    showCameras();
}

std::string CCameraClocksDlg::shownTime(std::int64_t localSeconds) const {
    // On the scale the film's texts read, so they show the place's time.
    const std::int64_t value =
        fileTimeFromUnix(localSeconds) + std::int64_t{context_.biasMinutes} * 60 * kFileTimePerSecond;
    return dateText(value, context_.dateFormatIndex) + " " + timeText(value, context_.timeFormatIndex);
}

void CCameraClocksDlg::showCameras() {
    Control& list = control(kCameras);
    list.items.clear();
    for (const CameraSummary& camera : cameras_) {
        const CameraClock clock = working_.clockOf(camera.body);
        list.items.push_back(cell(camera.body.make) + '\t' + cell(camera.body.model) + '\t' + cell(camera.body.serial) +
                             '\t' + std::to_string(camera.count) + '\t' + shownTime(camera.firstLocal) + '\t' +
                             shownTime(camera.lastLocal) + '\t' + clockColumn(camera.clock) + '\t' +
                             clockCorrectionText(clock.correctionSeconds) + '\t' + cell(camera.why));
    }
    if (list.selection >= static_cast<int>(list.items.size())) {
        list.selection = -1;
    }
}

const CameraSummary* CCameraClocksDlg::selectedCamera() const {
    const int selection = control(kCameras).selection;
    if (selection < 0 || selection >= static_cast<int>(cameras_.size())) {
        return nullptr;
    }
    return &cameras_[static_cast<std::size_t>(selection)];
}

void CCameraClocksDlg::showSelected() {
    const CameraSummary* camera = selectedCamera();
    for (int id : {kClock, kCorrection, kSet, kSameMoment}) {
        control(id).enabled = camera != nullptr;
    }
    control(kWhy).text = camera == nullptr ? std::string() : "Why: " + camera->why;
    if (camera == nullptr) {
        control(kClock).text.clear();
        control(kCorrection).text.clear();
    } else {
        const CameraClock clock = working_.clockOf(camera->body);
        control(kClock).text = clockZoneText(clock);
        control(kCorrection).text = clockCorrectionText(clock.correctionSeconds);
    }
    refresh();
}

void CCameraClocksDlg::onSelectionChanged(int id) {
    if (id == kCameras) {
        showSelected();
    }
}

void CCameraClocksDlg::onCommand(int id) {
    switch (id) {
    case kSet:
        setClock();
        return;
    case kSameMoment:
        sameMoment();
        return;
    case kOk:
        clocks_ = working_;
        oneTimeline_ = control(kOneTimeline).checked;
        endDialog(kResultOk);
        return;
    case kCancel:
        endDialog(kResultCancel);
        return;
    default:
        return;
    }
}

void CCameraClocksDlg::putClock(const CameraBody& body, const CameraClock& clock) {
    auto& byBody = working_.byBody;
    const auto own = std::find_if(byBody.begin(), byBody.end(), [&](const auto& entry) { return entry.first == body; });
    const bool modelSet = std::any_of(working_.byModel.begin(), working_.byModel.end(),
                                      [&](const auto& entry) { return entry.first == body.model; });
    if (clock.isDefault() && !modelSet) {
        // Nothing to keep: the default of every body.
        if (own != byBody.end()) {
            byBody.erase(own);
        }
    } else if (own != byBody.end()) {
        own->second = clock;
    } else {
        byBody.emplace_back(body, clock);
    }
    resolve();
    showSelected();
}

void CCameraClocksDlg::setClock() {
    const CameraSummary* camera = selectedCamera();
    if (camera == nullptr) {
        return;
    }
    const std::string zoneText = trimmed(control(kClock).text);
    const std::string correctionText = trimmed(control(kCorrection).text);
    std::optional<CameraClock> clock = parseClockZone(zoneText.empty() ? std::string("local") : zoneText);
    if (!clock) {
        host().messageBox("Not a time zone: " + zoneText + ". Type +HH:MM, -HH:MM or a zone name such as Europe/Berlin.",
                          mainwin::kCaption, Icon::Exclamation);
        return;
    }
    const std::optional<std::int64_t> correction =
        correctionText.empty() ? std::optional<std::int64_t>(0) : parseClockCorrection(correctionText);
    if (!correction) {
        host().messageBox("Not a correction: " + correctionText + ". Type +H:MM:SS or -H:MM:SS.", mainwin::kCaption,
                          Icon::Exclamation);
        return;
    }
    clock->correctionSeconds = *correction;
    const CameraBody body = camera->body;  // the list is made again
    putClock(body, *clock);
}

std::string CCameraClocksDlg::shotRow(std::size_t shot) const {
    const std::int32_t camera = input_.shots[shot].camera;
    const std::string model = camera >= 0 && static_cast<std::size_t>(camera) < input_.bodies.size()
                                  ? input_.bodies[static_cast<std::size_t>(camera)].model
                                  : std::string();
    return cell(fileNameOf(pictures_[shot].path)) + '\t' + shownTime(times_[shot].localTime()) + '\t' + cell(model);
}

void CCameraClocksDlg::sameMoment() {
    const CameraSummary* camera = selectedCamera();
    if (camera == nullptr) {
        return;
    }
    const auto selected = static_cast<std::int32_t>(control(kCameras).selection);
    // Each list on the timeline, so shots near in time stand near.
    std::vector<std::size_t> order(std::min(input_.shots.size(), times_.size()));
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [this](std::size_t a, std::size_t b) { return times_[a].moment < times_[b].moment; });
    std::vector<std::size_t> mine;
    std::vector<std::size_t> others;
    for (const std::size_t shot : order) {
        (input_.shots[shot].camera == selected ? mine : others).push_back(shot);
    }
    if (others.empty()) {
        host().messageBox("There are no pictures of other cameras or phones to compare with.", mainwin::kCaption,
                          Icon::Information);
        return;
    }
    std::vector<std::string> mineRows;
    std::vector<std::string> otherRows;
    for (const std::size_t shot : mine) {
        mineRows.push_back(shotRow(shot));
    }
    for (const std::size_t shot : others) {
        otherRows.push_back(shotRow(shot));
    }
    CSameMomentDlg window(host(), cameraName(camera->body), std::move(mineRows), std::move(otherRows));
    window.setHelpFile(helpFile());
    if (host().runModal(window) != kResultOk) {
        return;
    }
    const auto mineChosen = static_cast<std::size_t>(window.mineChosen());
    const auto otherChosen = static_cast<std::size_t>(window.otherChosen());
    if (mineChosen >= mine.size() || otherChosen >= others.size()) {
        return;
    }
    const std::size_t myShot = mine[mineChosen];
    const std::size_t otherShot = others[otherChosen];
    const CameraBody body = camera->body;
    CameraClock clock = working_.clockOf(body);
    const std::optional<std::int64_t> correction =
        sameMomentCorrection(clock.correctionSeconds, times_[myShot], times_[otherShot]);
    if (!correction) {
        host().messageBox("The two pictures are too far apart to be taken at the same moment.", mainwin::kCaption,
                          Icon::Exclamation);
        return;
    }
    clock.correctionSeconds = *correction;
    putClock(body, clock);
}

}  // namespace dz
