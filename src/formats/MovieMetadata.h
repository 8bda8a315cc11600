#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace dz {

using MovieTags = std::vector<std::pair<std::string, std::string>>;

// Adds the UTF-8 texts of a movie's metadata box to `tags`, given the box's
// contents (either layout: QuickTime's plain box or ISO's box with version
// and flags). Item lists keyed by name ("mdta": "com.apple.quicktime.make")
// are read with their keys; those keyed by four letters ("mdir") give "make"
// and "model" for "©mak" and "©mod". A key already in `tags` keeps its text.
void readMovieMetadata(const std::uint8_t* contents, std::size_t size, MovieTags& tags);

}  // namespace dz
