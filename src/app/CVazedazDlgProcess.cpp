#include "app/CVazedazDlg.h"

#include "app/CPotion.h"
#include "app/Settings.h"
#include "platform/TimeZone.h"
#include "process/CProcess.h"

namespace dz {

namespace {

bool& leaveOutSorted(AppState& state) {
    if (!state.leaveOutSorted) {
        state.leaveOutSorted = loadLeaveOutSorted(state.settingsFolder);
    }
    return *state.leaveOutSorted;
}

}  // namespace

void CVazedazDlg::processOptions() {
    CPotion window(
        host(), state_.settings, state_.albums,
        [this] {
            reloadOptions();
            state_.verifyCopies = loadVerifyCopies(state_.settingsFolder);
            state_.leaveOutSorted = loadLeaveOutSorted(state_.settingsFolder);
        },
        [this] {
            saveOptions();
            saveVerifyCopies(state_.settingsFolder, state_.verifyCopies, host());
            saveLeaveOutSorted(state_.settingsFolder, leaveOutSorted(state_), host());
        },
        &state_.verifyCopies, &leaveOutSorted(state_));
    window.setHelpFile(helpFile());
    host().runModal(window);
}

void CVazedazDlg::runProcessWindow() {
    std::vector<PictureRecord> empty;
    std::vector<PictureRecord>& catalogue = state_.dirReader ? state_.dirReader->catalogue() : empty;
    const Settings& s = state_.settings;
    ProcessJob job{state_.albums, catalogue, state_.processTargetPath, s.moveFiles != 0,
                   NameFormats{s.dateFormatIndex, s.timeFormatIndex, currentTimeZone().totalBiasMinutes()}, true,
                   state_.texts.sourceFolder, state_.dataFolder, state_.verifyCopies, leaveOutSorted(state_)};
    CProcess window(host(), state_.fileSystem, std::move(job));
    window.setHelpFile(helpFile());
    host().runModal(window);
}

}  // namespace dz
