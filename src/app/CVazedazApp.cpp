#include "app/CVazedazApp.h"

#include "app/AppState.h"
#include "app/CVazedazDlg.h"

namespace dz {

int CVazedazApp::run() {
    AppState state(fileSystem_);
    CVazedazDlg mainWindow(host_, state);
    mainWindow.setStartSource(startSource_);
    host_.runModal(mainWindow);
    return 0;
}

}  // namespace dz
