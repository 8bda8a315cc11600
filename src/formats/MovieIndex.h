#pragma once

#include "formats/BoxSource.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace dz {

// What a movie's index box (moov) says of it, read from its boxes alone: no
// media data, no decoder.
struct MovieIndex {
    // Seconds since 1904-01-01 UTC when the movie was made, from the movie
    // header, else from the video track's media header; 0 when neither says.
    std::uint64_t created = 0;
    // The largest video track's picture size, from its sample description,
    // else from its track header.
    int width = 0;
    int height = 0;
    // Clockwise quarter turns (0 to 3) that show the track upright, from the
    // display matrix of its track header.
    int quarterTurns = 0;
    // The metadata texts of the movie's item lists and user data, by their
    // key names ("com.apple.quicktime.make", "make", ...), first one kept.
    std::vector<std::pair<std::string, std::string>> tags;

    // The text of `key`; empty when the movie has none.
    std::string tag(const std::string& key) const;
};

// Reads the index of the movie in `file`. False, with `problem` set, when
// the file holds no sound movie box or the movie has no video track.
bool readMovieIndex(BoxSource& file, MovieIndex& index, std::string& problem);

// The problem texts of readMovieIndex, as the scan reports them.
inline constexpr const char* kNotAMovieText = "not a readable video: Invalid data found when processing input";
inline constexpr const char* kNoVideoTrackText = "no video stream";

}  // namespace dz
