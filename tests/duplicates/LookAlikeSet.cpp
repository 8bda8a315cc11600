#include "LookAlikeSet.h"

#include "ImageWriters.h"
#include "image/CRaster.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>

namespace dz::test {

namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint16_t bigEndian16(const Bytes& b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] << 8 | b[at + 1]);
}

// The whole APP1 "Exif" segment (marker and length included) of a JPEG file.
std::optional<Bytes> exifSegment(const Bytes& jpeg) {
    std::size_t at = 2;
    while (at + 4 <= jpeg.size() && jpeg[at] == 0xFF) {
        const std::uint8_t marker = jpeg[at + 1];
        const std::size_t length = bigEndian16(jpeg, at + 2);
        if (marker == 0xDA || length < 2 || at + 2 + length > jpeg.size()) {
            break;
        }
        if (marker == 0xE1 && length >= 8 && std::equal(jpeg.begin() + static_cast<long>(at) + 4,
                                                        jpeg.begin() + static_cast<long>(at) + 10,
                                                        "Exif\0\0")) {
            return Bytes(jpeg.begin() + static_cast<long>(at), jpeg.begin() + static_cast<long>(at + 2 + length));
        }
        at += 2 + length;
    }
    return std::nullopt;
}

// The segment with the link from the first directory to the thumbnail's
// directory cut, as a tool that drops the thumbnail leaves it.
Bytes withoutThumbnail(Bytes segment) {
    const std::size_t tiff = 10;
    if (segment.size() < tiff + 8) {
        return segment;
    }
    const bool little = segment[tiff] == 'I';
    auto read = [&](std::size_t at, int bytes) {
        std::uint32_t value = 0;
        for (int i = 0; i < bytes; ++i) {
            const std::uint32_t byte = segment[at + static_cast<std::size_t>(little ? bytes - 1 - i : i)];
            value = value << 8 | byte;
        }
        return value;
    };
    const std::size_t ifd0 = tiff + read(tiff + 4, 4);
    if (ifd0 + 2 > segment.size()) {
        return segment;
    }
    const std::size_t next = ifd0 + 2 + 12 * std::size_t{read(ifd0, 2)};
    if (next + 4 <= segment.size()) {
        std::fill_n(segment.begin() + static_cast<long>(next), 4, std::uint8_t{0});
    }
    return segment;
}

// A JPEG of `image` carrying `segment` as its only application segment.
Bytes jpegWithExif(const CRaster& image, int quality, const Bytes& segment) {
    const Bytes plain = writeJpeg(image, quality);
    if (plain.size() < 4) {
        return {};
    }
    std::size_t rest = 2;
    if (plain[2] == 0xFF && plain[3] == 0xE0) {
        rest = 4 + bigEndian16(plain, 4);  // the writer's JFIF segment gives way to the EXIF one
    }
    Bytes out{0xFF, 0xD8};
    out.insert(out.end(), segment.begin(), segment.end());
    out.insert(out.end(), plain.begin() + static_cast<long>(rest), plain.end());
    return out;
}

CRaster cropped(const CRaster& image, double share) {
    const int width = std::max(1, static_cast<int>(image.width() * share));
    const int height = std::max(1, static_cast<int>(image.height() * share));
    CRaster out;
    out.createBlank(width, height, 24);
    out.paste(image, -(image.width() - width) / 2, -(image.height() - height) / 2);
    return out;
}

// `stops` of exposure more or less: each value taken to linear light (a
// gamma of 2.2), scaled by 2^stops, clipped, and encoded again.
CRaster exposed(const CRaster& image, double stops) {
    std::array<std::uint8_t, 256> level{};
    for (int v = 0; v < 256; ++v) {
        const double light = std::pow(v / 255.0, 2.2) * std::exp2(stops);
        level[static_cast<std::size_t>(v)] =
            static_cast<std::uint8_t>(std::lround(255.0 * std::pow(std::min(1.0, light), 1.0 / 2.2)));
    }
    CRaster out = image;
    for (int y = 0; y < out.height(); ++y) {
        std::uint8_t* row = out.topDownRow(y);
        for (int x = 0; x < out.width() * out.bytesPerPixel(); ++x) {
            row[x] = level[row[x]];
        }
    }
    return out;
}

// The picture `width` pixels wide, its sides in proportion.
CRaster widthOf(const CRaster& image, int width) {
    const int height = std::max(1, static_cast<int>(std::lround(static_cast<double>(image.height()) * width / image.width())));
    return width <= image.width() ? image.shrink(width, height) : image.resampled(width, height);
}

CRaster inverted(const CRaster& image) {
    CRaster out = image;
    out.negative();
    return out;
}

struct Recipe {
    LookAlikeKind kind;
    const char* suffix;
    std::function<CRaster(const CRaster&)> picture;  // empty: the file's bytes as they are
    int quality;
    bool keepThumbnail;
};

const std::vector<Recipe>& recipes() {
    static const std::vector<Recipe> all = [] {
        const auto same = [](const CRaster& p) { return p; };
        const auto half = [](const CRaster& p) { return p.shrink(std::max(1, p.width() / 2), std::max(1, p.height() / 2)); };
        const auto quarter = [](const CRaster& p) { return p.shrink(std::max(1, p.width() / 4), std::max(1, p.height() / 4)); };
        return std::vector<Recipe>{
            {{"re-encode q90", true}, "q90", same, 90, true},
            {{"re-encode q75", true}, "q75", same, 75, true},
            {{"re-encode q50", true}, "q50", same, 50, true},
            {{"re-encode q90 without thumbnail", true}, "q90-nothumb", same, 90, false},
            {{"resize 1/2", true}, "half", half, 90, true},
            {{"resize 1/2 without thumbnail", true}, "half-nothumb", half, 90, false},
            {{"resize 1/4 q75", true}, "quarter", quarter, 75, false},
            {{"resize to 1600 wide", true}, "w1600", [](const CRaster& p) { return widthOf(p, 1600); }, 85, false},
            {{"copy without thumbnail", true}, "nothumb", nullptr, 0, false},
            {{"crop 80% (old thumbnail)", false}, "crop", [](const CRaster& p) { return cropped(p, 0.8); }, 90, true},
            {{"crop 90%", false}, "crop90", [](const CRaster& p) { return cropped(p, 0.9); }, 90, false},
            {{"inversion (old thumbnail)", false}, "negative", inverted, 90, true},
            {{"bracketed -1 EV", false}, "under", [](const CRaster& p) { return exposed(p, -1.0); }, 90, false},
            {{"bracketed +1 EV", false}, "over", [](const CRaster& p) { return exposed(p, 1.0); }, 90, false},
        };
    }();
    return all;
}

// The original's bytes with the EXIF segment replaced.
Bytes withSegment(const Bytes& jpeg, const Bytes& oldSegment, const Bytes& newSegment) {
    const auto at = std::search(jpeg.begin(), jpeg.end(), oldSegment.begin(), oldSegment.end());
    Bytes out(jpeg.begin(), at);
    out.insert(out.end(), newSegment.begin(), newSegment.end());
    out.insert(out.end(), at + static_cast<long>(oldSegment.size()), jpeg.end());
    return out;
}

}  // namespace

const std::vector<LookAlikeKind>& lookAlikeKinds() {
    static const std::vector<LookAlikeKind> kinds = [] {
        std::vector<LookAlikeKind> out;
        for (const Recipe& r : recipes()) {
            out.push_back(r.kind);
        }
        return out;
    }();
    return kinds;
}

LookAlikeSet makeLookAlikeSet(const std::vector<LookAlikeOriginal>& originals, const std::string& folder) {
    namespace fs = std::filesystem;
    LookAlikeSet set;
    struct Source {
        Bytes bytes;
        Bytes segment;
        CRaster picture;
        std::string stem;
    };
    std::vector<Source> sources;
    std::error_code made;
    fs::create_directories(folder, made);
    for (const LookAlikeOriginal& original : originals) {
        const std::string& path = original.path;
        Source source{readFileBytes(path), {}, {}, fs::path(path).stem().string()};
        const std::optional<Bytes> segment = exifSegment(source.bytes);
        if (!segment || !source.picture.decodeFile(path, ImageFormat::Detect)) {
            set.error = path + ": not a JPEG picture with an EXIF block";
            return set;
        }
        source.segment = *segment;
        if (original.dropThumbnail) {
            const Bytes cut = withoutThumbnail(source.segment);
            source.bytes = withSegment(source.bytes, source.segment, cut);
            source.segment = cut;
        }
        const std::string copy = (fs::path(folder) / (source.stem + ".jpg")).string();
        if (!writeFileBytes(copy, source.bytes)) {
            set.error = copy + ": not written";
            return set;
        }
        set.originals.push_back(copy);
        set.pictures.push_back(LookAlike{copy, static_cast<int>(sources.size()), -1});
        sources.push_back(std::move(source));
    }
    for (std::size_t o = 0; o < sources.size(); ++o) {
        const Source& source = sources[o];
        for (std::size_t k = 0; k < recipes().size(); ++k) {
            const Recipe& recipe = recipes()[k];
            const Bytes segment = recipe.keepThumbnail ? source.segment : withoutThumbnail(source.segment);
            const Bytes bytes = recipe.picture ? jpegWithExif(recipe.picture(source.picture), recipe.quality, segment)
                                               : withSegment(source.bytes, source.segment, segment);
            const std::string path = (fs::path(folder) / (source.stem + "-" + recipe.suffix + ".jpg")).string();
            if (bytes.empty() || !writeFileBytes(path, bytes)) {
                set.error = path + ": not written";
                return set;
            }
            set.pictures.push_back(LookAlike{path, static_cast<int>(o), static_cast<int>(k)});
        }
    }
    return set;
}

std::vector<LookAlikeScore> scoreLookAlikes(const LookAlikeSet& set,
                                             const std::function<int(const std::string&)>& groupOf) {
    std::vector<LookAlikeScore> scores;
    scores.push_back(LookAlikeScore{"original (other pictures of the camera)", false, 0, 0, 0});
    for (const LookAlikeKind& kind : lookAlikeKinds()) {
        scores.push_back(LookAlikeScore{kind.name, kind.sameImage, 0, 0, 0});
    }
    // Pictures of one family are the same image: an original and its copies.
    // Every other made picture is a family of its own.
    auto family = [&](std::size_t i) {
        const LookAlike& p = set.pictures[i];
        const bool copy = p.kind < 0 || lookAlikeKinds()[static_cast<std::size_t>(p.kind)].sameImage;
        return copy ? p.original : -1 - static_cast<int>(i);
    };
    std::vector<int> groups;
    for (const LookAlike& p : set.pictures) {
        groups.push_back(groupOf(p.path));
    }
    for (std::size_t i = 0; i < set.pictures.size(); ++i) {
        const LookAlike& p = set.pictures[i];
        LookAlikeScore& score = scores[static_cast<std::size_t>(p.kind + 1)];
        ++score.pictures;
        if (groups[i] < 0) {
            continue;
        }
        bool withOriginal = false;
        bool withOther = false;
        for (std::size_t j = 0; j < set.pictures.size(); ++j) {
            if (j == i || groups[j] != groups[i]) {
                continue;
            }
            withOther = withOther || family(j) != family(i);
            withOriginal = withOriginal || (set.pictures[j].kind < 0 && family(j) == family(i));
        }
        score.found += p.kind >= 0 && withOriginal ? 1 : 0;
        score.wrong += withOther ? 1 : 0;
    }
    return scores;
}

}  // namespace dz::test
