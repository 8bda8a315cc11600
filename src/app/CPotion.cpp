#include "app/CPotion.h"

#include "app/Settings.h"

#include <algorithm>

namespace dz {

CPotion::CPotion(Host& host, Settings& settings, const AlbumList& albums, std::function<void()> reload,
                 std::function<void()> save, bool* verifyCopies, bool* leaveOutSorted)
    : Window(host, "CPotion", "Process Option", 14),
      settings_(settings),
      verifyCopies_(verifyCopies),
      leaveOutSorted_(leaveOutSorted),
      albums_(albums),
      reload_(std::move(reload)),
      save_(std::move(save)) {
    addControl(kSave, ControlKind::Button, "Save");
    addControl(kDiscard, ControlKind::Button, "Discard");
    addControl(kMoveFiles, ControlKind::CheckBox);
    addControl(kExplanation, ControlKind::Static,
               "Check this box in order to move files instead of copy from source to target folder while "
               "processing albums");
    addControl(kVerifyCopies, ControlKind::CheckBox);
    addControl(kVerifyExplanation, ControlKind::Static,
               "Verify copies: read each copy back from the disk once it is written and compare it with the "
               "picture (slower)");
    addControl(kLeaveOutSorted, ControlKind::CheckBox);
    addControl(kLeaveOutExplanation, ControlKind::Static,
               "Leave out pictures already in the target: pictures an earlier processing put there, and no undo "
               "took back, are not copied again");
}

void CPotion::onInit() {
    if (reload_) {
        reload_();
    }
    control(kMoveFiles).checked = settings_.moveFiles != 0;
    control(kVerifyCopies).checked = verifyCopies_ != nullptr && *verifyCopies_;
    control(kVerifyCopies).visible = verifyCopies_ != nullptr;
    control(kVerifyExplanation).visible = verifyCopies_ != nullptr;
    control(kLeaveOutSorted).checked = leaveOutSorted_ != nullptr && *leaveOutSorted_;
    control(kLeaveOutSorted).visible = leaveOutSorted_ != nullptr;
    control(kLeaveOutExplanation).visible = leaveOutSorted_ != nullptr;
    // Half the albums copied and half moved would leave the source in a
    // state nobody can follow, so the choice is fixed once one is processed.
    const bool anyProcessed =
        std::any_of(albums_.begin(), albums_.end(), [](const Album& a) { return a.isProcessed != 0; });
    if (anyProcessed) {
        host().messageBox("This option is available only if no album is processed yet. You must decide from the "
                          "begining if files will be copied or moved.",
                          "Dezoredu", Icon::Exclamation);
        control(kMoveFiles).enabled = false;
        control(kSave).enabled = false;
    }
    refresh();
}

void CPotion::moveBoxTicked() {
    if (!control(kMoveFiles).checked) {
        return;
    }
    const Answer a = host().messageBox(
        "Even if this program use the most safe routine for moving files, in order to protect your data, before "
        "continue it is strongly recommended to make a backup of your source folder.",
        "Move selected", Icon::Information, Buttons::OkCancel);
    if (a != Answer::Ok) {
        control(kMoveFiles).checked = false;
        refresh();
    }
}

void CPotion::onCommand(int id) {
    switch (id) {
    case kMoveFiles:
        moveBoxTicked();
        return;
    case kSave:
        if (!control(kSave).enabled) {
            return;
        }
        settings_.moveFiles = control(kMoveFiles).checked ? 1 : 0;
        if (verifyCopies_ != nullptr) {
            *verifyCopies_ = control(kVerifyCopies).checked;
        }
        if (leaveOutSorted_ != nullptr) {
            *leaveOutSorted_ = control(kLeaveOutSorted).checked;
        }
        host().messageBox(settings_.moveFiles != 0 ? "Move selected" : "Copy selected", "Dezoredu",
                          Icon::Information);
        if (save_) {
            save_();
        }
        endDialog(kResultOk);
        return;
    case kDiscard:
        endDialog(kResultCancel);
        return;
    default:
        return;
    }
}

}  // namespace dz
