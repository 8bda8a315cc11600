#pragma once

#include <functional>
#include <string>
#include <unordered_map>

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

// Numbers for names made free of clashes ("IMG_1 (7).jpg"), each search
// for one folder and name going on from where the last one ended, so a run
// of ten thousand pictures of one name does not try "(2)" each time.
class FreeNumbers {
public:
    // The first number, from 2 or after the last one given for `key`, that `isFree` accepts.
    int next(const std::string& key, const std::function<bool(int)>& isFree);

private:
    std::unordered_map<std::string, int> from_;
};

// True when the folder that would hold `path` is missing (or is no folder),
// which tells a missing file from a missing path.
bool parentMissing(const std::string& path);

}  // namespace dz
