#include "places/Gazetteer.h"

#include "platform/ProgramModule.h"

#include <cmath>
#include <cstdint>

namespace dz {

namespace {

void takePlace(void* context, const DzPlaceFields* fields) {
    if (!std::isfinite(fields->latitude) || !std::isfinite(fields->longitude) || std::abs(fields->latitude) > 90.0 ||
        std::abs(fields->longitude) > 180.0) {
        return;
    }
    static_cast<std::vector<Place>*>(context)->push_back({fields->name, fields->region, fields->country,
                                                          fields->countryCode, fields->zone, fields->latitude,
                                                          fields->longitude, fields->population});
}

struct LoadedGazetteer {
    std::unique_ptr<PlaceIndex> index;
    std::string problem;
};

LoadedGazetteer loadOnce() {
    LoadedGazetteer loaded;
    loaded.index = loadGazetteer(programModuleFolders(), loaded.problem);
    return loaded;
}

}  // namespace

std::vector<Place> copyPlaces(const DzPlacesModule& module, std::string& problem) {
    std::vector<Place> places;
    const std::int32_t count = module.count();
    if (count > 0) {
        places.reserve(static_cast<std::size_t>(count));
    }
    for (std::int32_t i = 0; i < count; ++i) {
        module.place(i, takePlace, &places);
    }
    if (places.empty()) {
        problem = "the gazetteer holds no place";
    }
    return places;
}

std::unique_ptr<PlaceIndex> loadGazetteer(const std::vector<std::string>& folders, std::string& problem) {
    const ProgramModule module =
        openProgramModule(DZ_PLACES_MODULE_FILE, DZ_PLACES_MODULE_TABLE, DZ_PLACES_MODULE_VERSION, folders);
    if (!module.loaded()) {
        problem = module.problem;
        return nullptr;
    }
    std::vector<Place> places = copyPlaces(*static_cast<const DzPlacesModule*>(module.table), problem);
    if (places.empty()) {
        return nullptr;
    }
    return std::make_unique<PlaceIndex>(std::move(places));
}

// One process-wide resource, as the program's other modules are: built by a
// guarded function-local static on first use and kept until the process ends.
const PlaceIndex* gazetteer(std::string& problem) {
    static const LoadedGazetteer loaded = loadOnce();
    problem = loaded.problem;
    return loaded.index.get();
}

}  // namespace dz
