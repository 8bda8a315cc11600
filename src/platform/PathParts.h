#pragma once

#include <functional>
#include <string>

namespace dz {

// The folder part of `path`: the text before its last '/', "/" for a name
// right below the root, empty for a bare name.
std::string folderOf(const std::string& path);

// The part of `path` after its last '/' (all of it when it holds none).
std::string nameOf(const std::string& path);

// `name` with " (n)" before its extension: "IMG_0001.jpg" -> "IMG_0001 (2).jpg";
// a name that is all extension (".jpg") becomes "(2).jpg".
std::string numberedName(const std::string& name, int n);

// The first of `folder`/numberedName(name, 2, 3, ...) that `taken` refuses.
std::string firstFreeNumberedPlace(const std::string& folder, const std::string& name,
                                   const std::function<bool(const std::string&)>& taken);

// True when the folder that would hold `path` is missing (or is no folder),
// which tells a missing file from a missing path.
bool parentMissing(const std::string& path);

}  // namespace dz
