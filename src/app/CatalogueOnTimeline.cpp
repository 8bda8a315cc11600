#include "app/CatalogueOnTimeline.h"

#include "albums/AlbumEnds.h"
#include "platform/TimeZone.h"
#include "timeline/CatalogueTimeline.h"
#include "timeline/GazetteerPlaces.h"

namespace dz {

void applyTimeline(AppState& state) {
    if (!state.dirReader) {
        return;
    }
    std::vector<PictureRecord>& catalogue = state.dirReader->catalogue();
    const int bias = state.dirReader->biasMinutes();
    for (PictureRecord& picture : catalogue) {
        const auto found = state.pictureCorrections.find(picture.path);
        picture.block->clockCorrection = found != state.pictureCorrections.end() ? found->second : 0;
    }
    if (state.oneTimeline) {
        placeCatalogueOnTimeline(catalogue, state.cameraClocks, gazetteerPlaceFinder(), computerOffsetAt, bias);
    } else {
        takeOffTimeline(catalogue, bias);
    }
}

void retimeCatalogue(AppState& state) {
    applyTimeline(state);
    if (state.dirReader) {
        rebuildAlbumEnds(state.albums, state.dirReader->catalogue(), state.dirReader->biasMinutes());
    }
}

}  // namespace dz
