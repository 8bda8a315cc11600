#pragma once

#include "exif/ExifInfo.h"

#include <string_view>

namespace dz {

// The position an ISO 6709 text gives, as phones and cameras write it into
// their movies: "+35.0116+135.7681+045.000/" (latitude, longitude, an
// optional altitude in metres, "/" at the end). The degrees may be written
// with their minutes ("+3500.696+13546.086/") or minutes and seconds
// ("+350041.8+1354605.2/"), the last unit with a fraction; a reference
// system ("CRSWGS_84") may stand before the "/". Unknown for any other text,
// a cut one included.
ShotPosition positionOfIso6709(std::string_view text);

}  // namespace dz
