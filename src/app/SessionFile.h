#pragma once

#include "albums/Album.h"
#include "catalogue/DateRules.h"
#include "timeline/CameraClock.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace dz {

// The version this program writes. Albums carry `splitByDays` only in files
// of exactly this version.
inline constexpr std::array<char, 4> kSessionVersion{'1', '.', '1', '\0'};

// One picture record of a session file: 280 bytes.
inline constexpr std::size_t kSessionPictureBytes = 280;
// The label field of a picture record: the text, a terminator, zero bytes.
inline constexpr std::size_t kSessionNameField = 128;

// The per-picture working state a session keeps; the picture itself is
// found again by its place in date order after a fresh scan.
struct SessionPicture {
    std::int32_t isDuplicate = 0;
    std::int32_t isExcluded = 0;
    std::int32_t albumId = 0;
    std::int32_t isNegative = 0;
    std::uint8_t hasCustomName = 0;
    std::uint8_t dateFromFile = 0;
    std::uint8_t hasExif = 0;
    std::array<double, 16> signature{};
    std::int32_t filmImageIndex = -1;
    std::string customName;  // at most 127 characters
};

// A session file as the program reads and writes it.
struct SessionFile {
    std::array<char, 4> version = kSessionVersion;  // as read
    std::int32_t dateFormatIndex = 1;
    std::int32_t timeFormatIndex = 1;
    std::int32_t excludeDuplicates = 0;
    std::int32_t moveFiles = 0;
    std::string sourceFolder;
    std::string targetFolder;
    AlbumList albums;
    std::int32_t duplicatesFound = 0;
    std::int32_t scannedCount = 0;
    float removedBytes = 0;
    // The catalogue's size at saving, removed duplicates not counted.
    std::int32_t pictureCount = 0;
    double sizeFingerprint = 0;
    // Catalogue and removed duplicates together, in date order.
    std::vector<SessionPicture> pictures;
    // The rules the catalogue's dates were made under; a file of the first
    // layout was made under the first rules.
    DateRules dateRules = kCurrentDateRules;
    // Each album's naming, by album id, as the block holds it; readSession
    // gives it to the albums. Albums not named there keep the first form.
    std::vector<std::pair<std::int32_t, AlbumNaming>> namings;
    // One timeline for every camera, the clocks the user set and the
    // corrections of single pictures (by path); a session without them is
    // off the timeline, as every session of the first layout is.
    bool oneTimeline = false;
    CameraClocks cameraClocks;
    std::vector<std::pair<std::string, std::int64_t>> pictureCorrections;
};

// The file's bytes, field by field, little-endian, always in the current
// version whatever `version` holds.
std::vector<std::uint8_t> writeSession(const SessionFile& session);

// Parses a whole file. Every count and length is checked against the bytes
// that remain; empty when the file is short, has a count that cannot be
// right, or its picture area is not whole records.
std::optional<SessionFile> readSession(std::span<const std::uint8_t> bytes);

}  // namespace dz
