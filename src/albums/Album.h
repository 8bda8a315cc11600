#pragma once

#include "filter/FilterCriteria.h"

#include <cstdint>
#include <string>
#include <vector>

namespace dz {

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
