#include "formats/MovieIndex.h"

#include "formats/MovieMetadata.h"
#include "formats/QuarterTurns.h"
#include "formats/SourceBoxes.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>

namespace dz {

namespace {

// Bytes read of the small boxes: a header box is under 120 bytes; a sample
// description's first entry states the picture size in its first 28 bytes.
constexpr std::size_t kHeaderBoxBytes = 128;
constexpr std::size_t kSampleEntryBytes = 64;
// A metadata box beyond this holds more than texts (cover art); it is left.
constexpr std::size_t kMaxMetadataBytes = std::size_t{1} << 20;
// Tracks looked at; a movie of a camera has a handful.
constexpr int kMaxTracks = 64;

std::uint32_t be16(const std::uint8_t* p) {
    return (std::uint32_t{p[0]} << 8) | p[1];
}
std::uint32_t be32(const std::uint8_t* p) {
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}
std::uint64_t be64(const std::uint8_t* p) {
    return (std::uint64_t{be32(p)} << 32) | be32(p + 4);
}

// The creation time of a movie, track or media header: after version and
// flags, 32 bits in version 0, 64 in version 1.
std::uint64_t creationTime(const std::vector<std::uint8_t>& header) {
    if (header.size() >= 12 && header[0] == 1) {
        return be64(header.data() + 4);
    }
    return header.size() >= 8 && header[0] == 0 ? be32(header.data() + 4) : 0;
}

struct Track {
    bool video = false;
    std::uint64_t created = 0;
    int width = 0;
    int height = 0;
    int quarterTurns = 0;
};

// Quarter turns from a track header's matrix [a b u; c d v; x y w]: a point
// (x, y) is shown at (a x + c y, b x + d y), so the track is turned clockwise
// by the angle whose cosine is a and sine b (16.16 fixed point both).
int turnsOfMatrix(const std::uint8_t* matrix) {
    const double a = static_cast<std::int32_t>(be32(matrix)) / 65536.0;
    const double b = static_cast<std::int32_t>(be32(matrix + 4)) / 65536.0;
    if (a == 0.0 && b == 0.0) {
        return 0;
    }
    const double clockwise = std::atan2(b, a) * 180.0 / std::numbers::pi;
    return clockwiseQuarterTurns(-clockwise);
}

void readTrackHeader(const std::vector<std::uint8_t>& header, Track& track) {
    // After version and flags: times, track number and duration, 20 bytes in
    // version 0 and 32 in version 1, then 16 bytes before the matrix.
    const std::size_t matrixAt = header.size() >= 4 && header[0] == 1 ? 4 + 32 + 16 : 4 + 20 + 16;
    if (header.size() < matrixAt + 36 + 8) {
        return;
    }
    track.quarterTurns = turnsOfMatrix(header.data() + matrixAt);
    // The shown size, 16.16 fixed point; stands in where the sample entry has none.
    track.width = static_cast<int>(be32(header.data() + matrixAt + 36) >> 16);
    track.height = static_cast<int>(be32(header.data() + matrixAt + 40) >> 16);
}

// The picture size of the first visual sample entry: after version, flags
// and the entry count, an entry's header, then 24 bytes to its width.
void readSampleSize(const std::vector<std::uint8_t>& description, Track& track) {
    if (description.size() < 8 + 8 + 28) {
        return;
    }
    const int width = static_cast<int>(be16(description.data() + 16 + 24));
    const int height = static_cast<int>(be16(description.data() + 16 + 26));
    if (width > 0 && height > 0) {
        track.width = width;
        track.height = height;
    }
}

bool readSampleTable(BoxSource& file, const SourceBox& table, Track& track) {
    const std::optional<SourceBox> description = findSourceChild(file, table.payload, table.end, "stsd");
    std::vector<std::uint8_t> bytes;
    if (description && !readBoxContents(file, *description, kSampleEntryBytes, bytes)) {
        return false;
    }
    readSampleSize(bytes, track);
    return true;
}

bool readMedia(BoxSource& file, const SourceBox& media, Track& track) {
    SourceBoxWalker walker(file, media);
    SourceBox box;
    std::vector<std::uint8_t> bytes;
    std::optional<SourceBox> information;
    while (walker.next(box)) {
        if (box.is("mdhd") || box.is("hdlr")) {
            if (!readBoxContents(file, box, kHeaderBoxBytes, bytes)) {
                return false;
            }
            if (box.is("mdhd")) {
                track.created = creationTime(bytes);
            } else {
                track.video = bytes.size() >= 12 && std::memcmp(bytes.data() + 8, "vide", 4) == 0;
            }
        } else if (box.is("minf")) {
            information = box;
        }
    }
    if (walker.broken()) {
        return false;
    }
    if (!track.video || !information) {
        return true;
    }
    const std::optional<SourceBox> table = findSourceChild(file, information->payload, information->end, "stbl");
    return !table || readSampleTable(file, *table, track);
}

bool readTrack(BoxSource& file, const SourceBox& trak, Track& track) {
    SourceBoxWalker walker(file, trak);
    SourceBox box;
    std::vector<std::uint8_t> bytes;
    while (walker.next(box)) {
        if (box.is("tkhd")) {
            if (!readBoxContents(file, box, kHeaderBoxBytes, bytes)) {
                return false;
            }
            readTrackHeader(bytes, track);
        } else if (box.is("mdia") && !readMedia(file, box, track)) {
            return false;
        }
    }
    return !walker.broken();
}

bool readMetadata(BoxSource& file, const SourceBox& meta, MovieTags& tags) {
    if (meta.payloadSize() > kMaxMetadataBytes) {
        return true;
    }
    std::vector<std::uint8_t> bytes;
    if (!readBoxContents(file, meta, kMaxMetadataBytes, bytes)) {
        return false;
    }
    readMovieMetadata(bytes.data(), bytes.size(), tags);
    return true;
}

bool readUserData(BoxSource& file, const SourceBox& userData, MovieTags& tags) {
    SourceBoxWalker walker(file, userData);
    SourceBox box;
    while (walker.next(box)) {
        if (box.is("meta") && !readMetadata(file, box, tags)) {
            return false;
        }
    }
    // Cameras pad their user data with bytes that are no box; what was read stands.
    return true;
}

}  // namespace

std::string MovieIndex::tag(const std::string& key) const {
    const auto found = std::find_if(tags.begin(), tags.end(), [&](const auto& entry) { return entry.first == key; });
    return found == tags.end() ? std::string{} : found->second;
}

bool readMovieIndex(BoxSource& file, MovieIndex& index, std::string& problem) {
    index = MovieIndex{};
    const std::optional<SourceBox> movie = findSourceChild(file, 0, file.size(), "moov");
    if (!movie) {
        problem = kNotAMovieText;
        return false;
    }
    SourceBoxWalker walker(file, *movie);
    SourceBox box;
    std::vector<std::uint8_t> bytes;
    Track chosen;
    long long largest = -1;
    int tracks = 0;
    bool sound = true;
    while (sound && walker.next(box)) {
        if (box.is("mvhd")) {
            sound = readBoxContents(file, box, kHeaderBoxBytes, bytes);
            index.created = creationTime(bytes);
        } else if (box.is("trak") && tracks++ < kMaxTracks) {
            Track track;
            sound = readTrack(file, box, track);
            const long long area = static_cast<long long>(track.width) * track.height;
            if (sound && track.video && area > largest) {
                largest = area;
                chosen = track;
            }
        } else if (box.is("meta")) {
            sound = readMetadata(file, box, index.tags);
        } else if (box.is("udta")) {
            sound = readUserData(file, box, index.tags);
        }
    }
    // A few bytes of padding after the last box are no damage.
    const bool padded = walker.broken() && walker.left() < 8;
    if (!sound || (walker.broken() && !padded)) {
        problem = kNotAMovieText;
        return false;
    }
    if (largest < 0) {
        problem = kNoVideoTrackText;
        return false;
    }
    if (index.created == 0) {
        index.created = chosen.created;
    }
    index.width = chosen.width;
    index.height = chosen.height;
    index.quarterTurns = chosen.quarterTurns;
    return true;
}

}  // namespace dz
