#pragma once

#include "albums/Album.h"
#include "catalogue/PictureRecord.h"

#include <string>

namespace dz {

// The file name of `path` without folder and extension: the text after the
// last separator up to the first '.' after it.
std::string baseText(const std::string& path);

// The extension a picture's new name ends in: its own, in lower case, with
// the dot ("IMG_0001.NEF" -> ".nef"); ".jpg" for a name without one.
std::string pictureExtension(const std::string& path);

// One file or folder name made safe to join under the target folder: a
// separator inside it cannot open a sub-folder or climb out of the target.
std::string safeNameComponent(std::string name);

// The file name a picture gets in its album folder: the typed label, the
// original name or the album's name with the film position, then the date,
// the time and the camera as the album asks, then the picture's own
// extension.
struct NameFormats {
    int dateFormatIndex = 1;
    int timeFormatIndex = 1;
    int biasMinutes = 0;  // turns the shot time into a time value
};

std::string buildPictureName(const PictureRecord& picture, const Album& album, const NameFormats& formats);

// The day folder of a picture: its date text without the brackets.
std::string dayName(const PictureRecord& picture, const NameFormats& formats);

}  // namespace dz
