#include "gui/Shortcuts.h"

#include "app/CCameraClocksDlg.h"
#include "app/MainWindowIds.h"

namespace dz::gui {

const std::vector<Shortcut>& shortcutTable() {
    using namespace mainwin;
    // Spelled out rather than the platform's standard keys, which some
    // platforms (offscreen, bare X) leave empty.
    static const std::vector<Shortcut> table = {
        {"CVazedazDlg", kMenuSelectSource, QKeySequence(Qt::CTRL | Qt::Key_O), kMenuSelectSource},
        {"CVazedazDlg", kMenuSaveSession, QKeySequence(Qt::CTRL | Qt::Key_S), kMenuSaveSession},
        // Exit asks "Close Dezoredu?" as the menu item does.
        {"CVazedazDlg", kMenuExit, QKeySequence(Qt::CTRL | Qt::Key_Q), kMenuExit},
        {"CVazedazDlg", kAlbumsList, QKeySequence(Qt::Key_Delete), kDeleteAlbum},
        // Enter in the list edits the selected album, as a double-click does.
        {"CVazedazDlg", kAlbumsList, QKeySequence(Qt::Key_Return), 0},
        {"CVazedazDlg", kAlbumsList, QKeySequence(Qt::Key_Enter), 0},
        // Enter in a camera's clock or correction sets them, not the window's OK.
        {"CCameraClocksDlg", CCameraClocksDlg::kClock, QKeySequence(Qt::Key_Return), CCameraClocksDlg::kSet},
        {"CCameraClocksDlg", CCameraClocksDlg::kClock, QKeySequence(Qt::Key_Enter), CCameraClocksDlg::kSet},
        {"CCameraClocksDlg", CCameraClocksDlg::kCorrection, QKeySequence(Qt::Key_Return), CCameraClocksDlg::kSet},
        {"CCameraClocksDlg", CCameraClocksDlg::kCorrection, QKeySequence(Qt::Key_Enter), CCameraClocksDlg::kSet},
    };
    return table;
}

}  // namespace dz::gui
