#pragma once

#include "filter/FilterCriteria.h"

#include <cstdint>
#include <string>
#include <vector>

namespace dz {

// How an album's pictures are named when neither a typed label nor the
// original name stands in.
enum class AlbumNaming : std::int32_t {
    // The album's name and the picture's place on the whole film, fields
    // joined by spaces: "Lisbon-12 [2024-07-05] [09 00 00]".
    FilmPosition = 0,
    // Numbered within the album in its order, from 1, padded to the digits
    // of its count, fields joined by "_" without spaces or brackets:
    // "Lisbon-01_2024-07-05_09-00-00". Names that sort.
    Sortable = 1,
};

// One album definition: a time range over the catalogue with the naming
// options processing applies.
struct Album {
    std::string dirName;  // "\" is the target folder itself
    std::string name;
    std::int32_t createSubDir = 1;
    std::int32_t keepOriginalName = 0;
    std::int32_t addDate = 1;
    std::int32_t addTime = 1;
    std::int32_t addCameraModel = 0;
    std::int32_t splitByDays = 0;
    AlbumNaming naming = AlbumNaming::FilmPosition;
    std::int32_t id = 0;
    std::int32_t pictureCount = 0;
    std::int32_t isNew = 1;
    // Range ends on the time-stamp scale; 0 = not set. Each key always equals
    // its time, so they are written together through the setters.
    std::uint64_t startTime = 0;
    std::uint64_t endTime = 0;
    std::uint64_t startKey = 0;
    std::uint64_t endKey = 0;
    FilterCriteria filter;
    std::int32_t isProcessed = 0;
    float sizeMB = 0;

    void setStart(std::uint64_t value) { startTime = startKey = value; }
    void setEnd(std::uint64_t value) { endTime = endKey = value; }
    bool hasBothKeys() const { return startKey != 0 && endKey != 0; }
};

// Every album, in creation order; the last one is the last album.
using AlbumList = std::vector<Album>;

}  // namespace dz
