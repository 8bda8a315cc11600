#include "app/SessionOfState.h"

#include "app/SessionPictures.h"

namespace dz {

SessionFile takeSession(AppState& state) {
    SessionFile session;
    session.dateFormatIndex = state.settings.dateFormatIndex;
    session.timeFormatIndex = state.settings.timeFormatIndex;
    session.excludeDuplicates = state.settings.excludeDuplicates;
    session.moveFiles = state.settings.moveFiles;
    session.sourceFolder = state.texts.sourceFolder;
    session.targetFolder = state.texts.targetFolder;
    session.albums = state.albums;
    session.duplicatesFound = state.duplicatesFound;
    session.scannedCount = state.scannedCount;
    session.removedBytes = static_cast<float>(state.removedBytes);
    session.dateRules = state.dateRules;
    session.oneTimeline = state.oneTimeline;
    session.cameraClocks = state.cameraClocks;
    session.pictureCorrections.assign(state.pictureCorrections.begin(), state.pictureCorrections.end());

    std::vector<PictureRecord> pictures;
    if (state.dirReader) {
        auto& catalogue = state.dirReader->catalogue();
        sortForSession(catalogue);
        session.pictureCount = static_cast<std::int32_t>(catalogue.size());
        pictures = catalogue;
        sortByKeyAfterSession(catalogue);
    }
    pictures.insert(pictures.end(), state.removedPictures.begin(), state.removedPictures.end());
    for (const PictureRecord& picture : pictures) {
        session.sizeFingerprint += fingerprintShare(picture);
    }
    sortForSession(pictures);
    session.pictures.reserve(pictures.size());
    for (const PictureRecord& picture : pictures) {
        session.pictures.push_back(sessionPicture(picture));
    }
    return session;
}

}  // namespace dz
