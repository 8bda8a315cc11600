// The raw side of the decoder: TIFF-based raw files walked from offset 0.
#include "exif/CExifReader.h"

#include "exif/ExifNumber.h"
#include "exif/NumberConversion.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace dz {

namespace {

// The TIFF magic number and the raw makers' own in its place.
constexpr std::uint16_t kTiffMagic = 42;
constexpr std::uint16_t kPanasonicMagic = 0x55;
constexpr std::uint16_t kOlympusMagicRo = 0x4F52;
constexpr std::uint16_t kOlympusMagicRs = 0x5352;

constexpr int kTagSubDirectories = 0x014A;
constexpr int kTagCompression = 0x0103;
constexpr int kTagStripOffsets = 0x0111;
constexpr int kTagStripByteCounts = 0x0117;
constexpr int kTagPanasonicJpeg = 0x002E;  // a whole JPEG holding the EXIF segment

// Old-style and new-style JPEG compression of a directory's strips.
bool isJpegCompression(std::int64_t compression) {
    return compression == 6 || compression == 7;
}

// Baseline, extended and progressive frames: pictures. A lossless frame in a
// raw file is its sensor data (CR2, DNG), never something to show.
bool isPictureFrame(int marker) {
    return marker == 0xC0 || marker == 0xC1 || marker == 0xC2;
}

bool startsJpeg(const ExifByteReader& bytes) {
    return bytes.u8(0).value_or(0) == 0xFF && bytes.u8(1).value_or(0) == 0xD8;
}

}  // namespace

bool CExifReader::DecodeTiff(const std::uint8_t* data, std::size_t size) {
    releaseSections();
    previews_.clear();
    visitedDirectories_.clear();
    exifImageWidth_ = 0;
    ExifInfo& info = *target_;

    if (size >= 2 && data[0] == 'I' && data[1] == 'I') {
        motorolaOrder_ = false;
    } else if (size >= 2 && data[0] == 'M' && data[1] == 'M') {
        motorolaOrder_ = true;
    } else {
        return fail("Invalid raw file byte order mark");
    }
    const ExifByteReader block(data, size, motorolaOrder_);
    const std::uint16_t magic = block.u16(2).value_or(0);
    if (magic != kTiffMagic && magic != kPanasonicMagic && magic != kOlympusMagicRo &&
        magic != kOlympusMagicRs) {
        return fail("Invalid raw file start");
    }
    const auto firstOffset = block.u32(4);
    if (!firstOffset || *firstOffset < 8 || *firstOffset >= size) {
        return fail("Suspicious offset of first IFD value");
    }

    rawMode_ = true;
    const bool walked = ReadDirectory(block, *firstOffset, 0);
    rawMode_ = false;
    // Raw files keep their EXIF in the TIFF structure itself, not in a segment.
    info.hasExif = info.hasExif || walked;
    if (info.focalPlaneXRes != 0) {
        info.ccdWidth = static_cast<float>(exifImageWidth_ * info.focalPlaneUnit * 25.4 / info.focalPlaneXRes);
    }
    TakeLargestPreview(block);
    previews_.clear();
    return walked;
}

bool CExifReader::ApplyRawTag(int tag, int format, std::uint32_t components, const ExifByteReader& block,
                              const ExifByteReader& value, int depth, DirectoryThumbnail& thumbnail) {
    const auto number = [&] { return truncateToInt64(ValueAsNumber(value, format)); };
    switch (tag) {
    case kTagSubDirectories:
        if (format != 4) {
            return true;
        }
        for (std::uint32_t i = 0; i < components; ++i) {
            const auto link = value.u32(std::uint64_t{i} * 4);
            // A broken sub-directory costs only itself.
            if (link && *link >= 8 && *link < block.size()) {
                ReadDirectory(block, *link, depth + 1);
            }
        }
        return true;
    case kTagCompression:
        thumbnail.compression = number();
        return true;
    case kTagStripOffsets:
        thumbnail.stripOffset = number();
        thumbnail.stripCount = components;
        return true;
    case kTagStripByteCounts:
        thumbnail.stripSize = number();
        return true;
    case kTagPanasonicJpeg:
        ReadEmbeddedJpeg(block, value);
        return true;
    default:
        return false;
    }
}

void CExifReader::ReadEmbeddedJpeg(const ExifByteReader& block, const ExifByteReader& value) {
    if (!startsJpeg(value)) {
        return;
    }
    // Its own reader, so that this walk's state stays as it is; the fields
    // land in the same record.
    CExifReader inner(*target_);
    inner.setMessageSink(messageSink_);
    MemorySource source(value.data(), value.size());
    inner.Decode(source);
    // The frame header belongs to the embedded picture, not to the raw file.
    target_->width = 0;
    target_->height = 0;
    target_->isColor = 0;
    target_->encodingMarker = 0;
    // It is the camera's rendering of the shot as well.
    DirectoryThumbnail whole;
    whole.offset = value.data() - block.data();
    whole.size = static_cast<std::int64_t>(value.size());
    KeepPreviews(block, whole);
}

void CExifReader::KeepPreviews(const ExifByteReader& block, const DirectoryThumbnail& thumbnail) {
    const auto keep = [&](std::int64_t offset, std::int64_t size) {
        if (offset <= 0 || size <= 0 || !block.contains(static_cast<std::uint64_t>(offset),
                                                        static_cast<std::uint64_t>(size))) {
            return;
        }
        try {
            previews_.push_back(Preview{static_cast<std::uint64_t>(offset), static_cast<std::uint64_t>(size)});
        } catch (const std::bad_alloc&) {
        }
    };
    keep(thumbnail.offset, thumbnail.size);
    if (thumbnail.stripCount == 1 && isJpegCompression(thumbnail.compression)) {
        keep(thumbnail.stripOffset, thumbnail.stripSize);
    }
}

void CExifReader::TakeLargestPreview(const ExifByteReader& block) {
    std::stable_sort(previews_.begin(), previews_.end(),
                     [](const Preview& a, const Preview& b) { return a.size > b.size; });
    for (const Preview& preview : previews_) {
        const ExifByteReader bytes = *block.sub(preview.offset, preview.size);
        if (!startsJpeg(bytes)) {
            continue;
        }
        // It decodes when its sections lead to a frame and the scan data.
        ExifInfo frame;
        CExifReader check(frame);
        MemorySource source(bytes.data(), bytes.size());
        if (!check.Decode(source) || frame.width <= 0 || frame.height <= 0 ||
            !isPictureFrame(frame.encodingMarker)) {
            continue;
        }
        std::vector<std::uint8_t> copy;
        try {
            copy.assign(bytes.data(), bytes.data() + bytes.size());
        } catch (const std::bad_alloc&) {
            return;
        }
        ExifInfo& info = *target_;
        info.thumbnail = std::move(copy);
        info.thumbnailSize = static_cast<std::uint32_t>(info.thumbnail.size());
        // The largest preview is the picture as the camera rendered it.
        info.width = frame.width;
        info.height = frame.height;
        info.isColor = frame.isColor;
        info.encodingMarker = frame.encodingMarker;
        return;
    }
}

}  // namespace dz
