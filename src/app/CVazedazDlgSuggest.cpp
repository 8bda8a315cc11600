#include "app/CVazedazDlg.h"

#include "app/CSuggestAlbumsDlg.h"
#include "app/MainWindowIds.h"
#include "app/MainWindowTexts.h"

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
                                       state_.dirReader->biasMinutes()};
    CSuggestAlbumsDlg window(host(), state_.dirReader->catalogue(), state_.albums, context);
    window.setHelpFile(helpFile());
    if (host().runModal(window) != kResultOk || window.addedIds().empty()) {
        return;
    }
    refreshAlbumList();
    selectAlbumById(window.addedIds().front());
}

}  // namespace dz
