#include "app/CVazedazDlg.h"

#include "app/CCameraClocksDlg.h"
#include "app/CatalogueOnTimeline.h"
#include "app/MainWindowTexts.h"
#include "app/RememberedClocks.h"
#include "platform/TimeZone.h"
#include "timeline/CatalogueTimeline.h"
#include "timeline/GazetteerPlaces.h"

#include <algorithm>

namespace dz {

using namespace mainwin;

namespace {

// The question names no more bodies than fit a message box.
constexpr std::size_t kBodiesNamed = 10;

bool hasSetting(const CameraClocks& clocks, const CameraBody& body) {
    return std::any_of(clocks.byBody.begin(), clocks.byBody.end(), [&](const auto& e) { return e.first == body; }) ||
           std::any_of(clocks.byModel.begin(), clocks.byModel.end(), [&](const auto& e) { return e.first == body.model; });
}

std::string offeredText(const CameraBody& body, const CameraClock& clock) {
    std::string text = body.model.empty() ? body.make : body.model;
    if (!body.serial.empty()) {
        text += " " + body.serial;
    }
    text += " (" + clockZoneText(clock);
    if (clock.correctionSeconds != 0) {
        text += ", " + clockCorrectionText(clock.correctionSeconds);
    }
    return text + ")";
}

}  // namespace

void CVazedazDlg::cameraClocks() {
    if (state_.scanInProgress) {
        host().messageBox(kWaitForScan, kCaption, Icon::Exclamation);
        return;
    }
    if (!state_.dirReader || state_.dirReader->catalogue().empty()) {
        host().messageBox("Please select a source folder first.", kCaption, Icon::Exclamation);
        return;
    }
    const std::vector<PictureRecord>& catalogue = state_.dirReader->catalogue();
    const CameraClocks before = state_.cameraClocks;
    CameraClocksContext context{gazetteerPlaceFinder(), computerOffsetAt, state_.settings.dateFormatIndex,
                                state_.settings.timeFormatIndex, state_.dirReader->biasMinutes()};
    CCameraClocksDlg window(host(), catalogue, state_.cameraClocks, state_.oneTimeline, std::move(context));
    window.setHelpFile(helpFile());
    if (host().runModal(window) != kResultOk) {
        return;
    }
    // Each body whose clock is set, or was and is no more, so a body set
    // back to the local time is forgotten.
    BodyClocks changed;
    for (const CameraBody& body : timelineInputOf(catalogue).bodies) {
        const CameraClock clock = state_.cameraClocks.clockOf(body);
        if (!clock.isDefault() || !before.clockOf(body).isDefault()) {
            changed.emplace_back(body, clock);
        }
    }
    retimeCatalogue(state_);
    refreshAlbumList();
    if (!changed.empty()) {
        rememberClocks(state_.fileSystem, state_.settingsFolder, changed, host());
    }
}

void CVazedazDlg::offerRememberedClocks() {
    if (!state_.dirReader || state_.dirReader->catalogue().empty()) {
        return;
    }
    const BodyClocks remembered = loadRememberedClocks(state_.fileSystem, state_.settingsFolder);
    if (remembered.empty()) {
        return;
    }
    BodyClocks offered;
    for (const CameraBody& body : timelineInputOf(state_.dirReader->catalogue()).bodies) {
        if (hasSetting(state_.cameraClocks, body)) {
            continue;
        }
        const CameraBody stored = storedBody(body);
        const auto found = std::find_if(remembered.begin(), remembered.end(),
                                        [&](const auto& entry) { return entry.first == stored; });
        if (found != remembered.end()) {
            offered.emplace_back(body, found->second);
        }
    }
    if (offered.empty()) {
        return;
    }
    std::string names;
    for (std::size_t i = 0; i < offered.size() && i < kBodiesNamed; ++i) {
        names += (i == 0 ? "" : ", ") + offeredText(offered[i].first, offered[i].second);
    }
    if (offered.size() > kBodiesNamed) {
        names += " and " + std::to_string(offered.size() - kBodiesNamed) + " more";
    }
    const std::string question = "Camera clocks were set before for: " + names + ". Use them again?";
    if (host().messageBox(question, kCaption, Icon::Question, Buttons::YesNo) != Answer::Yes) {
        return;
    }
    for (auto& entry : offered) {
        state_.cameraClocks.byBody.push_back(std::move(entry));
    }
    retimeCatalogue(state_);
}

}  // namespace dz
