#include "exif/CExifReader.h"

#include "exif/ExifNumber.h"
#include "exif/ExifText.h"
#include "exif/NumberConversion.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <new>

namespace dz {

namespace {

constexpr int kMaxFillBytes = 6;

constexpr int kMarkerStartOfScan = 0xDA;
constexpr int kMarkerEndOfImage = 0xD9;
constexpr int kMarkerApp0 = 0xE0;
constexpr int kMarkerApp1 = 0xE1;
constexpr int kMarkerComment = 0xFE;

bool isFrameHeader(int marker) {
    switch (marker) {
    case 0xC0: case 0xC1: case 0xC2: case 0xC3:
    case 0xC5: case 0xC6: case 0xC7:
    case 0xC9: case 0xCA: case 0xCB:
    case 0xCD: case 0xCE: case 0xCF:
        return true;
    default:
        return false;
    }
}

bool beginsExif(const std::vector<std::uint8_t>& section) {
    return section.size() >= 6 && std::memcmp(section.data() + 2, "Exif", 4) == 0;
}

// A section buffer, or false when memory cannot be had. Lengths are at most
// 65535, but nothing may throw out of the decoder.
bool allocate(std::vector<std::uint8_t>& buffer, std::size_t length) {
    try {
        buffer.resize(length);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

// Directories read from one EXIF block at most, and how deep links may nest;
// real files have four or five directories, two levels deep.
constexpr std::size_t kMaxDirectories = 64;
constexpr int kMaxDirectoryDepth = 16;

constexpr std::uint64_t kEntrySize = 12;

// Links from a directory to the directories it owns.
constexpr int kTagExifLink = 0x8769;
constexpr int kTagInteropLink = 0xA005;
constexpr int kTagGpsLink = 0x8825;

// Longest body serial number kept; a clock offset text is "+HH:MM".
constexpr std::size_t kSerialNumberChars = 63;
constexpr std::size_t kClockOffsetChars = 6;
constexpr std::size_t kSubSecondChars = 9;  // digits of a fraction of a second kept
constexpr int kAscii = 2;

// A clock offset as stored, or empty when the value is none.
std::string clockOffset(int format, const ExifByteReader& value) {
    // One character more than an offset has, so a longer text is no offset.
    std::string text = format == kAscii ? trimmedText(value, kClockOffsetChars + 1) : std::string{};
    return isClockOffset(text) ? text : std::string{};
}

// The digits of a fraction of a second, or empty when the value is none.
std::string subSecond(int format, const ExifByteReader& value) {
    std::string text = format == kAscii ? trimmedText(value, kSubSecondChars) : std::string{};
    const bool digits = std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
    return digits ? text : std::string{};
}

std::int32_t saturate(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

void release(std::vector<std::uint8_t>& buffer) {
    std::vector<std::uint8_t>().swap(buffer);
}

}  // namespace

CExifReader::CExifReader(ExifInfo& target) : target_(&target) {}

CExifReader::CExifReader() : target_(&own_) {}

CExifReader::CExifReader(const CExifReader& other)
    : own_(other.own_),
      target_(other.target_ == &other.own_ ? &own_ : other.target_),
      lastError_(other.lastError_),
      sections_(other.sections_),
      exifImageWidth_(other.exifImageWidth_),
      motorolaOrder_(other.motorolaOrder_),
      diagnosticSink_(other.diagnosticSink_),
      messageSink_(other.messageSink_) {}

CExifReader& CExifReader::operator=(const CExifReader& other) {
    if (this == &other) {
        return *this;
    }
    own_ = other.own_;
    target_ = other.target_ == &other.own_ ? &own_ : other.target_;
    lastError_ = other.lastError_;
    sections_ = other.sections_;
    exifImageWidth_ = other.exifImageWidth_;
    motorolaOrder_ = other.motorolaOrder_;
    visitedDirectories_.clear();
    diagnosticSink_ = other.diagnosticSink_;
    messageSink_ = other.messageSink_;
    return *this;
}

void CExifReader::setTarget(ExifInfo& target) { target_ = &target; }

void CExifReader::Reset() {
    releaseSections();
    motorolaOrder_ = false;
    exifImageWidth_ = 0;
}

void CExifReader::releaseSections() {
    std::vector<Section>().swap(sections_);
}

void CExifReader::note(const char* message) {
    lastError_ = message;
    if (messageSink_) {
        messageSink_(lastError_);
    }
}

bool CExifReader::fail(const char* message) {
    note(message);
    return false;
}

void CExifReader::diagnose(const char* text) {
    if (diagnosticSink_) {
        diagnosticSink_(text);
    }
}

bool CExifReader::Decode(ByteSource& stream) {
    releaseSections();
    bool commentSeen = false;

    if (stream.readByte() != 0xFF) {
        return false;
    }
    if (stream.readByte() != 0xD8) {
        return false;
    }

    for (;;) {
        if (sections_.size() >= kMaxSections) {
            return fail("Too many sections in jpg file");
        }

        // The first byte that is not a fill byte is the marker code.
        int marker = 0;
        for (int fill = 0;;) {
            marker = stream.readByte();
            if (marker != 0xFF) {
                break;
            }
            if (++fill > kMaxFillBytes) {
                diagnose("too many padding unsigned chars");
                return false;
            }
        }

        // The length counts its own two bytes; end of file reads as -1.
        const int high = stream.readByte();
        const int low = stream.readByte();
        if (high < 0 || low < 0 || ((high << 8) | low) < 2) {
            return fail("invalid marker");
        }
        const std::size_t length = static_cast<std::size_t>((high << 8) | low);

        Section section;
        section.marker = marker;
        section.length = length;
        if (!allocate(section.data, length)) {
            return fail("Could not allocate memory");
        }
        section.data[0] = static_cast<std::uint8_t>(high);
        section.data[1] = static_cast<std::uint8_t>(low);
        if (stream.read(section.data.data() + 2, length - 2) != length - 2) {
            return fail("Premature end of file?");
        }
        sections_.push_back(std::move(section));
        Section& entry = sections_.back();

        if (isFrameHeader(marker)) {
            ReadFrameHeader(entry.data, marker);
            release(entry.data);
            continue;
        }
        switch (marker) {
        case kMarkerStartOfScan:
            return true;
        case kMarkerEndOfImage:
            diagnose("No image in jpeg!");
            return false;
        case kMarkerApp0:
            sections_.pop_back();
            continue;
        case kMarkerApp1:
            if (!beginsExif(entry.data)) {
                sections_.pop_back();
                continue;
            }
            target_->hasExif = ReadExifSegment(entry.data.data() + 2, length - 2);
            release(entry.data);
            continue;
        case kMarkerComment:
            if (commentSeen) {
                sections_.pop_back();
                continue;
            }
            ReadCommentSegment(entry.data, length);
            commentSeen = true;
            release(entry.data);
            continue;
        default:
            release(entry.data);
            continue;
        }
    }
}

void CExifReader::ReadFrameHeader(const std::vector<std::uint8_t>& section, int marker) {
    // Length (2), precision (1), height (2), width (2), component count (1).
    // A header too short to hold them leaves the record as it is.
    const ExifByteReader header(section.data(), section.size(), true);
    const auto height = header.u16(3);
    const auto width = header.u16(5);
    const auto components = header.u8(7);
    if (!height || !width || !components) {
        return;
    }
    target_->height = *height;
    target_->width = *width;
    target_->isColor = *components == 3 ? 1 : 0;
    target_->encodingMarker = marker;
}

void CExifReader::ReadCommentSegment(const std::vector<std::uint8_t>& section, std::size_t length) {
    target_->comment = commentSectionText(section.data(), std::min(length, section.size()));
}

bool CExifReader::ReadExifSegment(const std::uint8_t* data, std::size_t length) {
    target_->flashUsed = 0;
    target_->comment.clear();

    static constexpr std::uint8_t kHeader[6] = {'E', 'x', 'i', 'f', 0, 0};
    if (length < 6 || std::memcmp(data, kHeader, 6) != 0) {
        return fail("Incorrect Exif header");
    }
    return ReadTiffBlock(data + 6, length - 6);
}

bool CExifReader::DecodeExifBlock(const std::uint8_t* data, std::size_t size) {
    releaseSections();
    // A second block adds to what the first one said.
    const bool read = ReadTiffBlock(data, size, FirstDirectory::AtStatedOffset);
    target_->hasExif = target_->hasExif || read;
    return read;
}

bool CExifReader::Fail(const std::string& message) {
    return fail(message.c_str());
}

bool CExifReader::ReadTiffBlock(const std::uint8_t* blockStart, std::size_t blockLength, FirstDirectory first) {
    ExifInfo& info = *target_;
    exifImageWidth_ = 0;
    visitedDirectories_.clear();
    // Offsets in the TIFF block count from its first byte, the byte order mark.
    if (blockLength >= 2 && blockStart[0] == 'I' && blockStart[1] == 'I') {
        motorolaOrder_ = false;
    } else if (blockLength >= 2 && blockStart[0] == 'M' && blockStart[1] == 'M') {
        motorolaOrder_ = true;
    } else {
        return fail("Invalid Exif alignment marker.");
    }
    const ExifByteReader block(blockStart, blockLength, motorolaOrder_);

    if (block.u16(2).value_or(0) != 42) {
        return fail("Invalid Exif start (1)");
    }
    const auto firstOffset = block.u32(4);
    if (first == FirstDirectory::AtStatedOffset) {
        if (!firstOffset || *firstOffset < 8 || *firstOffset >= blockLength) {
            return fail("Suspicious offset of first IFD value");
        }
    } else if (!firstOffset || *firstOffset < 8 || *firstOffset > 16) {
        // Only checked: a JPEG's first directory is read right after the header.
        return fail("Suspicious offset of first IFD value");
    }
    if (!ReadDirectory(block, first == FirstDirectory::AtStatedOffset ? *firstOffset : 8, 0)) {
        return false;
    }

    if (info.focalPlaneXRes != 0) {
        info.ccdWidth = static_cast<float>(exifImageWidth_ * info.focalPlaneUnit * 25.4 /
                                           info.focalPlaneXRes);
    }
    return true;
}

bool CExifReader::mayEnterDirectory(std::uint64_t start, int depth) {
    if (depth > kMaxDirectoryDepth || visitedDirectories_.size() >= kMaxDirectories) {
        return false;
    }
    if (std::find(visitedDirectories_.begin(), visitedDirectories_.end(), start) !=
        visitedDirectories_.end()) {
        return false;
    }
    visitedDirectories_.push_back(start);
    return true;
}

bool CExifReader::ReadDirectory(const ExifByteReader& block, std::uint64_t start, int depth) {
    // A link back to a directory already read (a cycle), or links nested or
    // repeated beyond reason, are not followed; that is no failure.
    if (!mayEnterDirectory(start, depth)) {
        return true;
    }
    const auto count = entryCount(block, start);
    if (!count) {
        return fail("Illegally sized directory");
    }

    DirectoryThumbnail thumbnail;
    for (std::uint64_t i = 0; i < *count; ++i) {
        Entry entry;
        if (const char* problem = ReadEntry(block, start, i, entry)) {
            return fail(problem);
        }
        const int tag = entry.tag;
        const int format = entry.format;
        const std::uint32_t components = entry.components;
        const ExifByteReader& value = entry.value;

        if (tag == kTagExifLink || tag == kTagInteropLink || tag == kTagGpsLink) {
            // The link is a 32-bit offset wherever the value stands; an
            // in-entry value always has four bytes there.
            const std::uint64_t link = *block.u32(entry.valueOffset);
            // A position is an extra: a broken link to it costs the fix,
            // never the picture's date and camera.
            if (link >= block.size() && tag == kTagGpsLink) {
                continue;
            }
            if (link >= block.size()) {
                return fail("Illegal subdirectory link");
            }
            // A failure inside the sub-directory stays there. The GPS
            // directory numbers its tags anew, so it is read apart.
            if (tag == kTagGpsLink) {
                ReadGpsDirectory(block, link, depth + 1);
            } else {
                ReadDirectory(block, link, depth + 1);
            }
            continue;
        }
        // A count of 0 holds no value: the tag is as good as missing and its
        // field keeps what it had. Format 0 is different, a value of its own
        // whose number is 0.
        if (components == 0 && format != 0) {
            continue;
        }
        if (rawMode_ && ApplyRawTag(tag, format, components, block, value, depth, thumbnail)) {
            continue;
        }
        ApplyTag(tag, format, value, thumbnail);
    }

    // The next directory (the thumbnail's after the first). A link word that
    // would stand beyond the block counts as no link.
    const std::uint64_t next = block.u32(start + 2 + std::uint64_t{*count} * kEntrySize).value_or(0);
    if (next != 0) {
        if (next >= block.size()) {
            return fail("Illegal subdirectory link");
        }
        ReadDirectory(block, next, depth + 1);
    }

    if (rawMode_) {
        KeepPreviews(block, thumbnail);
        return true;
    }
    if (thumbnail.offset > 0 && thumbnail.size > 0) {
        const auto bytes = block.sub(static_cast<std::uint64_t>(thumbnail.offset),
                                     static_cast<std::uint64_t>(thumbnail.size));
        if (bytes) {
            std::vector<std::uint8_t> copy;
            if (allocate(copy, bytes->size())) {
                std::memcpy(copy.data(), bytes->data(), bytes->size());
                target_->thumbnail = std::move(copy);
                target_->thumbnailSize = static_cast<std::uint32_t>(bytes->size());
            }
        }
    }
    return true;
}

std::optional<std::uint16_t> CExifReader::entryCount(const ExifByteReader& block, std::uint64_t start) {
    const auto count = block.u16(start);
    if (!count || !block.contains(start + 2, std::uint64_t{*count} * kEntrySize)) {
        return std::nullopt;
    }
    return count;
}

const char* CExifReader::ReadEntry(const ExifByteReader& block, std::uint64_t start, std::uint64_t index,
                                   Entry& entry) const {
    // entryCount() has checked that the entry lies in the block.
    const std::uint64_t at = start + 2 + index * kEntrySize;
    entry.tag = *block.u16(at);
    entry.format = *block.u16(at + 2);
    entry.components = *block.u32(at + 4);
    // Raw files type their directory links as IFD (13), four bytes each.
    if (rawMode_ && entry.format == 13) {
        entry.format = 4;
    }
    if (entry.format > 12) {
        return "Illegal format code in EXIF dir";
    }
    const std::uint64_t byteCount = std::uint64_t{entry.components} * exifFormatSize(entry.format);

    // Values of up to four bytes stand in the entry itself.
    entry.valueOffset = at + 8;
    if (byteCount > 4) {
        entry.valueOffset = *block.u32(at + 8);
        if (!block.contains(entry.valueOffset, byteCount)) {
            return "Illegal pointer offset value in EXIF.";
        }
    }
    entry.value = *block.sub(entry.valueOffset, byteCount);
    return nullptr;
}

void CExifReader::ApplyTag(int tag, int format, const ExifByteReader& value,
                           DirectoryThumbnail& thumbnail) {
    ExifInfo& info = *target_;
    // ln 2 in single precision, as the exposure and aperture steps were
    // always computed.
    constexpr float kLn2 = 0.693147180559945f;
    const auto number = [&] { return ValueAsNumber(value, format); };
    const auto integer = [&] { return truncateToInt(number()); };

    switch (tag) {
    case 0x010F:
        info.cameraMake = copyText(value, kCameraMakeChars);
        break;
    case 0x0110:
        info.cameraModel = copyText(value, kCameraModelChars);
        break;
    case 0x0112:
        info.orientation = integer();
        if (info.orientation < 1 || info.orientation > 8) {
            note("Undefined rotation value");
            info.orientation = 0;
        }
        break;
    case 0x011A:
        info.xResolution = static_cast<float>(number());
        break;
    case 0x011B:
        info.yResolution = static_cast<float>(number());
        break;
    case 0x0128:
        if (const auto unit = unitLengthInInches(integer())) {
            info.resolutionUnit = *unit;
        }
        break;
    case 0x0201:
        thumbnail.offset = integer();
        break;
    case 0x0202:
        thumbnail.size = integer();
        break;
    case 0x829A:
        info.exposureTime = static_cast<float>(number());
        break;
    case 0x829D:
        info.apertureFNumber = static_cast<float>(number());
        break;
    case 0x8822:
        info.exposureProgram = integer();
        break;
    case 0x8827: {
        const std::int64_t iso = integer();
        info.isoEquivalent = saturate(iso < 50 ? iso * 200 : iso);
        break;
    }
    case 0x9000:
        info.exifVersion = copyText(value, kExifVersionChars);
        break;
    case 0x9003:
        info.dateTime = copyText(value, kDateTimeChars);
        break;
    case 0x9004:
        info.dateTimeDigitized = copyText(value, kDateTimeChars);
        break;
    case 0x0132:
        // The first directory's; a thumbnail's directory may carry its own.
        if (info.dateTimeModified.empty()) {
            info.dateTimeModified = copyText(value, kDateTimeChars);
        }
        break;
    case 0x9010:
        info.offsetTimeModified = clockOffset(format, value);
        break;
    case 0x9011:
        info.offsetTimeOriginal = clockOffset(format, value);
        break;
    case 0x9012:
        info.offsetTimeDigitized = clockOffset(format, value);
        break;
    case 0x9291:
        info.subSecTimeOriginal = subSecond(format, value);
        break;
    case 0xA431:
        info.bodySerialNumber = format == kAscii ? trimmedText(value, kSerialNumberChars) : std::string{};
        break;
    case 0x9102:
        info.jpegQuality = integer();
        break;
    case 0x9201:
        if (info.exposureTime == 0) {
            info.exposureTime =
                static_cast<float>(1 / std::exp(number() * static_cast<double>(kLn2)));
        }
        break;
    case 0x9202:
    case 0x9205:
        if (info.apertureFNumber == 0) {
            info.apertureFNumber =
                static_cast<float>(std::exp(number() * static_cast<double>(kLn2) * 0.5));
        }
        break;
    case 0x9203:
        info.brightness = static_cast<float>(number());
        break;
    case 0x9204:
        info.exposureBias = static_cast<float>(number());
        break;
    case 0x9206:
        info.focusDistance = static_cast<float>(number());
        break;
    case 0x9207:
        info.meteringMode = integer();
        break;
    case 0x9208:
        info.whitebalance = integer();
        break;
    case 0x9209:
        info.flashUsed = (integer() & 7) != 0 ? 1 : 0;
        break;
    case 0x920A:
        info.focalLength = static_cast<float>(number());
        break;
    case 0x9286:
        if (auto text = userCommentText(value)) {
            info.comment = std::move(*text);
        }
        break;
    case 0xA002:
    case 0xA003:
        exifImageWidth_ = std::max(exifImageWidth_, integer());
        break;
    case 0xA20E:
        info.focalPlaneXRes = static_cast<float>(number());
        break;
    case 0xA20F:
        info.focalPlaneYRes = static_cast<float>(number());
        break;
    case 0xA210:
        if (const auto unit = unitLengthInInches(integer())) {
            info.focalPlaneUnit = *unit;
        }
        break;
    default:
        break;
    }
}

double CExifReader::ValueAsNumber(const ExifByteReader& value, int format) const {
    // The view carries the block's byte order (motorolaOrder_).
    return exifValueAsNumber(value, format);
}

}  // namespace dz
