#pragma once

#include "albums/Album.h"
#include "catalogue/PictureRecord.h"

#include <cstdint>
#include <string>
#include <vector>

namespace dz {

// The lines of the main window's Album Details list for one album; `target`
// is the target folder text, which may still be the not-selected marker.
// `pictures` and `biasMinutes` give the ends the own times of their
// pictures (see shownTimeAtKey).
std::vector<std::string> albumDetailsLines(const Album& album, const std::string& target, int dateFormatIndex,
                                           int timeFormatIndex, const std::vector<PictureRecord>& pictures = {},
                                           int biasMinutes = 0);

// "Kyoto, Nara": the places of the album's pictures on the timeline, in the
// order first met; empty where none is known.
std::string albumPlacesText(const Album& album, const std::vector<PictureRecord>& pictures);

// The main window's album summary line, given the album list and the
// number of catalogued pictures.
std::string albumSummaryText(const AlbumList& albums, std::size_t cataloguedCount);

// The Albums List entry of the album at 1-based `position`: "%d. %s".
std::string albumListEntry(int position, const Album& album);

// A folder path built from the target and an album's directory name: a
// leading "\" or "/" of the name counts as the separator and every other "\"
// becomes "/", so "2006\Trip" is the sub-folder 2006/Trip.
std::string albumRootPath(const std::string& target, const std::string& dirName);
std::string albumPathText(const std::string& target, const Album& album);

}  // namespace dz
