#pragma once

#include "catalogue/PictureRecord.h"

#include <string>

namespace dz {

// The file name without folder and extension.
std::string pictureBaseName(const std::string& path);

// "RAW+JPEG" or "RAW+HEIC" for a picture whose raw file travels with it,
// else empty.
std::string pairMark(const PictureRecord& picture);

// " +09:00": the offset of the place of a shot on the timeline, where it
// differs from the computer's at that moment; else empty.
std::string placeOffsetMark(const PictureBlock& block);

// The label of film item `n` (from 1): number and name, shot date and time
// (between "**" marks when the date came from the file; on the timeline the
// local time at the place, with its offset mark), then on a second
// line the camera make and model, and the pair mark. `dateAt`, when given, receives where the
// date part starts (the film draws it on a line of its own).
std::string filmLabel(int n, const PictureRecord& picture, int dateFormatIndex, int timeFormatIndex,
                      int biasMinutes, std::size_t* dateAt = nullptr);

}  // namespace dz
