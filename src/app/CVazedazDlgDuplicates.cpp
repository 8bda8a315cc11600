#include "app/CVazedazDlg.h"

#include "app/DuplicateStatus.h"
#include "duplicates/CDuplicates.h"

namespace dz {

void CVazedazDlg::searchDuplicates() {
    if (!state_.dirReader) {
        return;
    }
    DuplicateJob job{state_.dirReader->catalogue(),
                     state_.removedPictures,
                     state_.removedBytes,
                     state_.duplicatesFound,
                     state_.scannedCount,
                     state_.abortRequest,
                     state_.settings.excludeDuplicates,
                     state_.filmBuilt,
                     [this] { reloadOptions(); },
                     [this] { saveOptions(); }};
    CDuplicates window(host(), std::move(job));
    window.setHelpFile(helpFile());
    host().runModal(window);

    // OK or Cancel alike: pictures may have been taken out by Remove selected.
    if (state_.duplicatesFound != 0) {
        state_.texts.status = duplicateStatusText(static_cast<std::int64_t>(catalogueSize()), state_.duplicatesFound,
                                                  state_.scannedCount, state_.pictureFiles);
        showTexts();
    }
    // Ends with refreshAlbumList.
    recountAlbums();
}

}  // namespace dz
