// The entry of dezoredu-places.so: its table of functions over libgeonames.
#include "places/PlacesModuleAbi.h"

#include <geonames.h>

#include <cstdint>

namespace dz::places {

namespace {

const char* orEmpty(const char* text) {
    return text != nullptr ? text : "";
}

std::int32_t count() {
    return geonames_get_n_cities();
}

int place(std::int32_t index, DzTakePlace take, void* context) {
    if (index < 0 || index >= geonames_get_n_cities() || take == nullptr) {
        return 0;
    }
    GeonamesCity* city = geonames_get_city(index);
    if (city == nullptr) {
        return 0;
    }
    const DzPlaceFields fields = {
        orEmpty(geonames_city_get_name(city)),
        orEmpty(geonames_city_get_state(city)),
        orEmpty(geonames_city_get_country(city)),
        orEmpty(geonames_city_get_country_code(city)),
        orEmpty(geonames_city_get_timezone(city)),
        geonames_city_get_latitude(city),
        geonames_city_get_longitude(city),
        geonames_city_get_population(city),
    };
    take(context, &fields);
    // The texts belong to the city, so it is freed only once they are taken.
    geonames_city_free(city);
    return 1;
}

}  // namespace

}  // namespace dz::places

extern "C" __attribute__((visibility("default"))) const DzPlacesModule dz_places_module = {
    DZ_PLACES_MODULE_VERSION,
    dz::places::count,
    dz::places::place,
};
