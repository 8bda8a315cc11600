#include "app/SessionFile.h"

#include "app/SessionExtras.h"

#include <bit>
#include <cstring>
#include <unordered_map>

namespace dz {

namespace {

// The fewest bytes one album record can take: every string empty.
constexpr std::size_t kAlbumBytesWithoutSplit = 224;
constexpr std::size_t kAlbumBytes = kAlbumBytesWithoutSplit + 4;
// Fields 10 to 14, between the albums and the picture records.
constexpr std::size_t kCountersBytes = 24;

// Reads fields in a row over the whole file. The first read that does not
// fit sets `failed`, and every read after it gives zeros, so a run of fields
// is tested once at its end.
class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    bool failed() const { return failed_; }
    std::size_t remaining() const { return bytes_.size() - pos_; }
    void fail() { failed_ = true; }

    std::uint8_t u8() {
        if (!take(1)) {
            return 0;
        }
        return bytes_[pos_ - 1];
    }
    std::uint32_t u32() {
        if (!take(4)) {
            return 0;
        }
        const std::uint8_t* b = &bytes_[pos_ - 4];
        return static_cast<std::uint32_t>(b[0]) | (static_cast<std::uint32_t>(b[1]) << 8) |
               (static_cast<std::uint32_t>(b[2]) << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
    }
    std::uint64_t u64() {
        const std::uint64_t low = u32();
        const std::uint64_t high = u32();
        return low | (high << 32);
    }
    std::int32_t i32() { return static_cast<std::int32_t>(u32()); }
    float f32() { return std::bit_cast<float>(u32()); }
    double f64() { return std::bit_cast<double>(u64()); }

    // An int32 count, then that many bytes of text.
    std::string text() {
        const std::int32_t n = i32();
        if (n < 0 || static_cast<std::size_t>(n) > remaining()) {
            fail();
        }
        if (failed_) {
            return {};
        }
        std::string value(reinterpret_cast<const char*>(&bytes_[pos_]), static_cast<std::size_t>(n));
        pos_ += static_cast<std::size_t>(n);
        return value;
    }
    // A fixed field of `width` bytes: the text up to its first zero byte,
    // never more than `width - 1` characters.
    std::string field(std::size_t width) {
        if (!take(width)) {
            return {};
        }
        const char* start = reinterpret_cast<const char*>(&bytes_[pos_ - width]);
        const void* zero = std::memchr(start, 0, width - 1);
        const std::size_t n = zero ? static_cast<std::size_t>(static_cast<const char*>(zero) - start) : width - 1;
        return std::string(start, n);
    }

private:
    bool take(std::size_t n) {
        if (failed_ || n > remaining()) {
            failed_ = true;
            return false;
        }
        pos_ += n;
        return true;
    }

    std::span<const std::uint8_t> bytes_;
    std::size_t pos_ = 0;
    bool failed_ = false;
};

Album readAlbum(ByteReader& in, bool withSplitByDays) {
    Album album;
    FilterCriteria& f = album.filter;
    album.addCameraModel = in.i32();
    album.addDate = in.i32();
    album.addTime = in.i32();
    // Older files have no such field; a new album's value stands.
    album.splitByDays = withSplitByDays ? in.i32() : 0;
    f.useFlag(Criterion::Aperture) = in.i32();
    f.useFlag(Criterion::FocusDistance) = in.i32();
    f.useFlag(Criterion::Resolution) = in.i32();
    f.useFlag(Criterion::ExposureBias) = in.i32();
    f.useFlag(Criterion::Program) = in.i32();
    f.useFlag(Criterion::ExposureTime) = in.i32();
    f.useFlag(Criterion::FocalLength) = in.i32();
    f.useFlag(Criterion::Flash) = in.i32();
    f.useFlag(Criterion::Iso) = in.i32();
    f.useFlag(Criterion::Metering) = in.i32();
    f.useFlag(Criterion::Whitebalance) = in.i32();
    f.useFlag(Criterion::Width) = in.i32();
    f.camera = in.text();
    album.createSubDir = in.i32();
    album.dirName = in.text();
    album.endKey = in.u64();
    f.programChoice = in.i32();
    album.endTime = in.u64();
    album.startTime = in.u64();
    album.id = in.i32();
    f.flashChoice = in.i32();
    f.enabled = in.i32();
    f.liveUpdate = in.i32();
    album.keepOriginalName = in.i32();
    f.apertureMax = in.f32();
    f.resolutionMax = in.f32();
    f.focusDistanceMax = in.f32();
    f.exposureTimeMax = in.f32();
    f.exposureBiasMax = in.f32();
    f.focalLengthMax = in.f32();
    f.isoMax = in.i32();
    f.widthMax = in.i32();
    f.apertureMin = in.f32();
    f.resolutionMin = in.f32();
    f.focusDistanceMin = in.f32();
    f.exposureTimeMin = in.f32();
    f.exposureBiasMin = in.f32();
    f.focalLengthMin = in.f32();
    f.isoMin = in.i32();
    f.widthMin = in.i32();
    f.meteringChoice = in.i32();
    f.model = in.text();
    album.pictureCount = in.i32();
    album.name = in.text();
    album.isNew = in.i32();
    album.isProcessed = in.i32();
    album.sizeMB = in.f32();
    album.startKey = in.u64();
    f.whitebalanceChoice = in.i32();
    return album;
}

SessionPicture readPicture(ByteReader& in) {
    SessionPicture picture;
    picture.isDuplicate = in.i32();
    picture.isExcluded = in.i32();
    picture.albumId = in.i32();
    picture.isNegative = in.i32();
    picture.hasCustomName = in.u8();
    picture.dateFromFile = in.u8();
    picture.hasExif = in.u8();
    in.u8();  // unused
    for (double& value : picture.signature) {
        value = in.f64();
    }
    picture.filmImageIndex = in.i32();
    picture.customName = in.field(kSessionNameField);
    return picture;
}

}  // namespace

std::optional<SessionFile> readSession(std::span<const std::uint8_t> bytes) {
    SessionFile session;
    const std::optional<std::size_t> firstLayout = readSessionExtras(bytes, session);
    if (!firstLayout) {
        return std::nullopt;
    }
    ByteReader in(bytes.first(*firstLayout));
    for (char& c : session.version) {
        c = static_cast<char>(in.u8());
    }
    session.dateFormatIndex = in.i32();
    session.timeFormatIndex = in.i32();
    session.excludeDuplicates = in.i32();
    session.moveFiles = in.i32();
    session.sourceFolder = in.text();
    session.targetFolder = in.text();

    const std::int32_t albumCount = in.i32();
    const bool withSplitByDays = session.version == kSessionVersion;
    const std::size_t albumBytes = withSplitByDays ? kAlbumBytes : kAlbumBytesWithoutSplit;
    // A count the rest of the file cannot hold is refused before anything is reserved.
    if (albumCount < 0 || in.remaining() < kCountersBytes ||
        static_cast<std::size_t>(albumCount) > (in.remaining() - kCountersBytes) / albumBytes) {
        in.fail();
    }
    if (in.failed()) {
        return std::nullopt;
    }
    session.albums.reserve(static_cast<std::size_t>(albumCount));
    for (std::int32_t i = 0; i < albumCount && !in.failed(); ++i) {
        session.albums.push_back(readAlbum(in, withSplitByDays));
    }

    // The block names albums by id; a hostile file's long list costs one look each.
    std::unordered_map<std::int32_t, AlbumNaming> namings(session.namings.begin(), session.namings.end());
    for (Album& album : session.albums) {
        if (const auto found = namings.find(album.id); found != namings.end()) {
            album.naming = found->second;
        }
    }

    session.duplicatesFound = in.i32();
    session.scannedCount = in.i32();
    session.removedBytes = in.f32();
    session.pictureCount = in.i32();
    session.sizeFingerprint = in.f64();
    if (in.failed() || in.remaining() % kSessionPictureBytes != 0) {
        return std::nullopt;
    }
    const std::size_t pictureCount = in.remaining() / kSessionPictureBytes;
    session.pictures.reserve(pictureCount);
    for (std::size_t i = 0; i < pictureCount; ++i) {
        session.pictures.push_back(readPicture(in));
    }
    if (in.failed()) {
        return std::nullopt;
    }
    return session;
}

}  // namespace dz
