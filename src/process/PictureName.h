#pragma once

#include "albums/Album.h"
#include "catalogue/PictureRecord.h"
#include "process/AlbumNumbers.h"

#include <string>
#include <vector>

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

// The extension a file travelling with the picture at `picturePath` keeps:
// all of its name after the picture's base name, in lower case
// ("IMG_1.JPG", "IMG_1.CR2.xmp" -> ".cr2.xmp").
std::string companionExtension(const std::string& picturePath, const std::string& companionPath);

// The names a picture and the files travelling with it get in their album
// folder: one base name, each file's own extension, the picture's first.
struct ShotNames {
    std::string stem;
    std::vector<std::string> extensions;

    // With `number` from 2 the names a clash gives them ("stem (2).ext").
    std::vector<std::string> names(int number = 0) const;
};

// `numbers`: the album's own numbers, which the sortable naming takes
// (without them it takes the film position).
ShotNames buildShotNames(const PictureRecord& picture, const Album& album, const NameFormats& formats,
                         const AlbumNumbers* numbers = nullptr);

// The camera of a picture in a name: the model alone where it begins with
// the make, empty where both are.
std::string cameraText(const std::string& make, const std::string& model);

// The day folder of a picture: its date text without the brackets.
std::string dayName(const PictureRecord& picture, const NameFormats& formats);

}  // namespace dz
