#pragma once

// A labelled set of look-alike pictures made from real camera pictures, for
// measuring what the duplicate search groups and what it must not: each
// original beside copies that are the same picture (re-encoded, resized, with
// or without the EXIF thumbnail) and pictures that only share its EXIF block
// or its scene (crops and inversions that keep the old thumbnail, bracketed
// exposures). The originals are other pictures of one camera to one another.

#include <functional>
#include <string>
#include <vector>

namespace dz::test {

struct LookAlikeKind {
    const char* name;
    bool sameImage;  // a copy of its original, to be found with it
};

// Every kind of made picture, in the order of `LookAlikeSet::kinds`.
const std::vector<LookAlikeKind>& lookAlikeKinds();

struct LookAlike {
    std::string path;
    int original = 0;  // index into LookAlikeSet::originals
    int kind = -1;     // index into lookAlikeKinds(); -1 for the original itself
};

struct LookAlikeSet {
    std::vector<std::string> originals;  // the copies of the originals in the folder
    std::vector<LookAlike> pictures;     // originals first, then every made picture
    std::string error;                   // empty when the set was made
};

struct LookAlikeOriginal {
    std::string path;
    bool dropThumbnail = false;  // copied without its embedded thumbnail
};

// Writes each original and its look-alikes into `folder` as
// "<stem>-<kind>.jpg". The originals must be JPEG files with an EXIF block.
LookAlikeSet makeLookAlikeSet(const std::vector<LookAlikeOriginal>& originals, const std::string& folder);

// How one kind of picture fared in a search: the originals (row 0, other
// pictures of the camera to one another), then every made kind.
struct LookAlikeScore {
    std::string kind;
    bool sameImage = false;
    int pictures = 0;
    int found = 0;  // copies grouped with their original
    int wrong = 0;  // pictures grouped with one that is not the same image
};

// `groupOf` gives the group number of a path, or -1 when it is in none.
std::vector<LookAlikeScore> scoreLookAlikes(const LookAlikeSet& set, const std::function<int(const std::string&)>& groupOf);

}  // namespace dz::test
