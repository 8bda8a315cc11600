#pragma once

#include "albums/Album.h"

#include <optional>
#include <string>
#include <vector>

namespace dz {

// The folder levels an album's directory name asks for under the target:
// "2006\Trip" and "/2006/Trip" give {"2006", "Trip"}; the marker "\" (or
// "/") gives none. Empty and "." levels are dropped. A ".." level would lead
// outside the target folder, so such a name gives no levels at all (nullopt).
std::optional<std::vector<std::string>> dirNameLevels(const std::string& dirName);

// The album's own folder: its name, or "Album.%d" with its id when it has
// none, as one folder level; nullopt for a name that would climb out of
// the folder above it ("." or "..").
std::optional<std::string> albumFolderName(const Album& album);

// The message for an album whose names would lead outside the target folder.
std::string outsideTargetMessage(const std::string& name);

}  // namespace dz
