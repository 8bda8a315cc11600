#include "LoadedSession.h"

namespace dz {

LoadedSession::LoadedSession(Host& host, FileSystem& fileSystem) : state_(fileSystem), window_(host, state_) {
    // Reads "fl.cfg" of the current folder, else of the user's settings
    // folder, if there is one and writes nothing; the session's own
    // settings words replace what it read.
    state_.unsavedPictureFiles = PictureFiles::JpegOnly;
    window_.onInit();
}

bool LoadedSession::load(const std::string& path) {
    return window_.loadSessionFile(path);
}

std::vector<PictureRecord>& LoadedSession::catalogue() {
    return state_.dirReader ? state_.dirReader->catalogue() : noCatalogue_;
}

}  // namespace dz
