#include "app/CVazedazDlg.h"

#include "app/CSuggestAlbumsDlg.h"
#include "app/MainWindowIds.h"
#include "app/MainWindowTexts.h"
#include "app/Settings.h"
#include "journal/TargetLedger.h"

namespace dz {

using namespace mainwin;

void CVazedazDlg::suggestAlbums() {
    if (state_.scanInProgress) {
        host().messageBox(kWaitForScan, kCaption, Icon::Exclamation);
        return;
    }
    if (!state_.dirReader || state_.dirReader->catalogue().empty()) {
        host().messageBox("Please select a source folder first.", kCaption, Icon::Exclamation);
        return;
    }
    const SuggestAlbumsContext context{state_.settings.dateFormatIndex, state_.settings.timeFormatIndex,
                                       state_.dirReader->biasMinutes(), picturesInTarget()};
    CSuggestAlbumsDlg window(host(), state_.dirReader->catalogue(), state_.albums, context);
    window.setHelpFile(helpFile());
    if (host().runModal(window) != kResultOk || window.addedIds().empty()) {
        return;
    }
    refreshAlbumList();
    selectAlbumById(window.addedIds().front());
}

std::vector<bool> CVazedazDlg::picturesInTarget() {
    const bool leaveOut = state_.leaveOutSorted.value_or(loadLeaveOutSorted(state_.settingsFolder));
    if (!leaveOut || state_.texts.targetFolder == kNotSelected || state_.processTargetPath.empty()) {
        return {};
    }
    const std::string shownStatus = state_.texts.status;
    state_.texts.status = "Looking for pictures already in the target...";
    showTexts();
    JournalTrust trust(state_.dataFolder);
    trust.loadKey(false);
    TargetLedger ledger = TargetLedger::ofTarget(state_.processTargetPath, trust);
    const std::vector<PictureRecord>& catalogue = state_.dirReader->catalogue();
    std::vector<bool> inTarget(catalogue.size(), false);
    for (std::size_t i = 0; i < catalogue.size() && !ledger.entries().empty(); ++i) {
        host().pumpMessages();
        // A picture that cannot be read is proposed: processing meets its error as usual.
        std::string error;
        inTarget[i] = !catalogue[i].isFolder && ledger.find(catalogue[i].path, error) != nullptr;
    }
    state_.texts.status = shownStatus;
    showTexts();
    return inTarget;
}

}  // namespace dz
