#include "app/CVazedazDlg.h"

#include "app/MainWindowIds.h"
#include "app/MainWindowTexts.h"

namespace dz {

using namespace mainwin;

void CVazedazDlg::refreshAlbumList() {
    Control& albums = control(kAlbumsList);
    albums.items.clear();
    albums.selection = -1;
    control(kAlbumDetails).items.clear();
    state_.texts.albumSummary = "Albums created: None";
    control(kMenuSaveSession).enabled = false;
    showTexts();
}

void CVazedazDlg::albumPictureClicked() {
    if (state_.texts.sourceFolder == kNotSelected) {
        host().messageBox("Please select a source folder first.", kCaption, Icon::Exclamation);
        return;
    }
    if (state_.scanInProgress) {
        host().messageBox(kWaitForScan, kCaption, Icon::Exclamation);
        return;
    }
    startNewAlbum(false);
}

void CVazedazDlg::startNewAlbum(bool negative) {
    if (state_.scanInProgress) {
        host().messageBox(kWaitForScan, kCaption, Icon::Exclamation);
        return;
    }
    const std::int32_t mode = negative ? 1 : 0;
    if (mode != state_.editing.newAlbumStartsNegative) {
        state_.editing.filmSideChanged = true;
    }
    state_.editing.newAlbumStartsNegative = mode;
    auto& catalogue = state_.dirReader->catalogue();
    if (catalogue.empty()) {
        host().messageBox("Source folder does not contain any pictures supported by Dezoredu", kCaption,
                          Icon::Exclamation);
        return;
    }
    state_.dirReader->sortCatalogue(2, false);
    for (auto& picture : catalogue) {
        picture.isNegative = state_.editing.newAlbumStartsNegative;
    }
}

void CVazedazDlg::editSelected() {
    if (control(kAlbumsList).selection < 0 || albumCount() == 0) {
        host().messageBox("Please select an album from Albums List first.", kCaption, Icon::Exclamation);
    }
}

void CVazedazDlg::deleteAlbum() {
    if (control(kAlbumsList).selection < 0 || albumCount() == 0) {
        control(kDeleteAlbum).enabled = false;
        refresh();
    }
}

void CVazedazDlg::process() {
    if (albumCount() == 0) {
        host().messageBox("There is no albums defined! Please create at least one album.", kCaption,
                          Icon::Exclamation);
    }
}

}  // namespace dz
