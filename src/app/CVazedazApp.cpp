#include "app/CVazedazApp.h"

#include "app/AppState.h"
#include "app/CVazedazDlg.h"
#include "albums/ThumbnailCache.h"

#include <cstdlib>

namespace dz {

int CVazedazApp::run() {
    AppState state(fileSystem_);
    // The desktop's shared cache, so other programs' thumbnails serve the film and ours serve them.
    state.thumbnailCacheFolder = ThumbnailCache::folderFor(std::getenv("XDG_CACHE_HOME"), std::getenv("HOME"));
    CVazedazDlg mainWindow(host_, state);
    mainWindow.setStartSource(startSource_);
    host_.runModal(mainWindow);
    return 0;
}

}  // namespace dz
