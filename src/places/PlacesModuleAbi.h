#pragma once

// The table of functions of dezoredu-places.so, the one part of the program
// linked against libgeonames (and so GLib). Plain C, so the core and the
// module agree on it whatever either was built with; a change of it raises
// the version.

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define DZ_PLACES_MODULE_FILE "dezoredu-places.so"
#define DZ_PLACES_MODULE_TABLE "dz_places_module"
#define DZ_PLACES_MODULE_VERSION 1u

// One city of the gazetteer. The texts are UTF-8, never null, and valid only
// during the call that hands them over.
struct DzPlaceFields {
    const char* name;
    const char* region;
    const char* country;
    const char* countryCode;
    const char* zone;
    double latitude;
    double longitude;
    uint32_t population;
};

typedef void (*DzTakePlace)(void* context, const struct DzPlaceFields* place);

struct DzPlacesModule {
    uint32_t version;
    // The number of cities the gazetteer holds.
    int32_t (*count)(void);
    // Hands city `index` (0 .. count-1) to `take`; 1 when done, 0 when
    // there is no such city.
    int (*place)(int32_t index, DzTakePlace take, void* context);
};

#ifdef __cplusplus
}
#endif
