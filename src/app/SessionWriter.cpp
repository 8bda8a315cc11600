#include "app/SessionFile.h"

#include "app/SessionExtras.h"

#include <algorithm>
#include <bit>

namespace dz {

namespace {

class ByteWriter {
public:
    void u8(std::uint8_t value) { bytes_.push_back(value); }
    void u32(std::uint32_t value) {
        for (int shift = 0; shift < 32; shift += 8) {
            u8(static_cast<std::uint8_t>(value >> shift));
        }
    }
    void u64(std::uint64_t value) {
        u32(static_cast<std::uint32_t>(value));
        u32(static_cast<std::uint32_t>(value >> 32));
    }
    void i32(std::int32_t value) { u32(static_cast<std::uint32_t>(value)); }
    void f32(float value) { u32(std::bit_cast<std::uint32_t>(value)); }
    void f64(double value) { u64(std::bit_cast<std::uint64_t>(value)); }
    void text(const std::string& value) {
        i32(static_cast<std::int32_t>(value.size()));
        bytes_.insert(bytes_.end(), value.begin(), value.end());
    }
    // A fixed field: the text cut to leave room for a terminator, then zeros.
    void field(const std::string& value, std::size_t width) {
        const std::size_t n = std::min(value.size(), width - 1);
        bytes_.insert(bytes_.end(), value.begin(), value.begin() + static_cast<std::ptrdiff_t>(n));
        bytes_.insert(bytes_.end(), width - n, 0);
    }

    std::vector<std::uint8_t> take() { return std::move(bytes_); }

private:
    std::vector<std::uint8_t> bytes_;
};

void writeAlbum(ByteWriter& out, const Album& album) {
    const FilterCriteria& f = album.filter;
    out.i32(album.addCameraModel);
    out.i32(album.addDate);
    out.i32(album.addTime);
    out.i32(album.splitByDays);
    out.i32(f.useFlag(Criterion::Aperture));
    out.i32(f.useFlag(Criterion::FocusDistance));
    out.i32(f.useFlag(Criterion::Resolution));
    out.i32(f.useFlag(Criterion::ExposureBias));
    out.i32(f.useFlag(Criterion::Program));
    out.i32(f.useFlag(Criterion::ExposureTime));
    out.i32(f.useFlag(Criterion::FocalLength));
    out.i32(f.useFlag(Criterion::Flash));
    out.i32(f.useFlag(Criterion::Iso));
    out.i32(f.useFlag(Criterion::Metering));
    out.i32(f.useFlag(Criterion::Whitebalance));
    out.i32(f.useFlag(Criterion::Width));
    out.text(f.camera);
    out.i32(album.createSubDir);
    out.text(album.dirName);
    out.u64(album.endKey);
    out.i32(f.programChoice);
    out.u64(album.endTime);  // low word first, then high: the same bytes
    out.u64(album.startTime);
    out.i32(album.id);
    out.i32(f.flashChoice);
    out.i32(f.enabled);
    out.i32(f.liveUpdate);
    out.i32(album.keepOriginalName);
    out.f32(f.apertureMax);
    out.f32(f.resolutionMax);
    out.f32(f.focusDistanceMax);
    out.f32(f.exposureTimeMax);
    out.f32(f.exposureBiasMax);
    out.f32(f.focalLengthMax);
    out.i32(f.isoMax);
    out.i32(f.widthMax);
    out.f32(f.apertureMin);
    out.f32(f.resolutionMin);
    out.f32(f.focusDistanceMin);
    out.f32(f.exposureTimeMin);
    out.f32(f.exposureBiasMin);
    out.f32(f.focalLengthMin);
    out.i32(f.isoMin);
    out.i32(f.widthMin);
    out.i32(f.meteringChoice);
    out.text(f.model);
    out.i32(album.pictureCount);
    out.text(album.name);
    out.i32(album.isNew);
    out.i32(album.isProcessed);
    out.f32(album.sizeMB);
    out.u64(album.startKey);
    out.i32(f.whitebalanceChoice);
}

void writePicture(ByteWriter& out, const SessionPicture& picture) {
    out.i32(picture.isDuplicate);
    out.i32(picture.isExcluded);
    out.i32(picture.albumId);
    out.i32(picture.isNegative);
    out.u8(picture.hasCustomName);
    out.u8(picture.dateFromFile);
    out.u8(picture.hasExif);
    out.u8(0);
    for (double value : picture.signature) {
        out.f64(value);
    }
    out.i32(picture.filmImageIndex);
    out.field(picture.customName, kSessionNameField);
}

}  // namespace

std::vector<std::uint8_t> writeSession(const SessionFile& session) {
    ByteWriter out;
    for (char c : kSessionVersion) {
        out.u8(static_cast<std::uint8_t>(c));
    }
    out.i32(session.dateFormatIndex);
    out.i32(session.timeFormatIndex);
    out.i32(session.excludeDuplicates);
    out.i32(session.moveFiles);
    out.text(session.sourceFolder);
    out.text(session.targetFolder);
    out.i32(static_cast<std::int32_t>(session.albums.size()));
    for (const Album& album : session.albums) {
        writeAlbum(out, album);
    }
    out.i32(session.duplicatesFound);
    out.i32(session.scannedCount);
    out.f32(session.removedBytes);
    out.i32(session.pictureCount);
    out.f64(session.sizeFingerprint);
    for (const SessionPicture& picture : session.pictures) {
        writePicture(out, picture);
    }
    std::vector<std::uint8_t> bytes = out.take();
    appendSessionExtras(session, bytes);
    return bytes;
}

}  // namespace dz
