#include "LoadedSession.h"

#include "app/CatalogueOnTimeline.h"
#include "platform/TimeZone.h"

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

bool LoadedSession::scan(const std::string& folder) {
    state_.texts.sourceFolder = folder;
    state_.dateRules = kCurrentDateRules;
    state_.oneTimeline = true;
    CDirReader& reader = *state_.dirReader;
    reader.clearFolders();
    reader.clearCatalogue();
    reader.setBiasMinutes(currentTimeZone().totalBiasMinutes());
    reader.setPictureFiles(state_.pictureFiles);
    reader.setDateRules(state_.dateRules);
    if (!reader.listFolders(folder, true)) {
        return false;
    }
    reader.collectPictures("*.jpg", true, false);
    applyTimeline(state_);
    state_.scannedCount = static_cast<std::int32_t>(reader.catalogue().size());
    return true;
}

std::vector<PictureRecord>& LoadedSession::catalogue() {
    return state_.dirReader ? state_.dirReader->catalogue() : noCatalogue_;
}

}  // namespace dz
