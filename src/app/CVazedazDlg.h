#pragma once

#include "app/AppState.h"
#include "platform/Window.h"

namespace dz {

// The main window: three steps (directories, albums, process), its menu, and
// the commands behind them.
class CVazedazDlg final : public Window {
public:
    CVazedazDlg(Host& host, AppState& state);

    void onInit() override;
    void onCommand(int id) override;
    void onSelectionChanged(int id) override;
    void onDoubleClick(int id) override;
    void onCancel() override;  // Esc, close box: "Close Dezoredu?"

    AppState& state() { return state_; }

    // Commands, public for the tests and the command-line program.
    void selectSource();
    void scanSource();
    void resetCatalogue();
    void selectTarget();
    void timeFormat();
    void skinOptions();
    void about();
    void homepage();
    void closeRequest();

private:
    void showTexts();
    void enableAlbumCommands(bool enabled);

    AppState& state_;
};

}  // namespace dz
