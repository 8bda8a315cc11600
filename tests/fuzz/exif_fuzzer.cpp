// libFuzzer entry: any bytes through the JPEG section reader and the EXIF
// decoder, then through the picture information texts; the same bytes as a
// TIFF-based raw file too.
#include "exif/CExifReader.h"
#include "exif/ExifInfo.h"
#include "exif/ExifValueTexts.h"
#include "exif/PictureInformation.h"
#include "platform/ByteSource.h"

#include <cstddef>
#include <cstdint>

namespace {

// What the decoder promises about any record it fills.
void checkRecord(const dz::ExifInfo& info) {
    if (info.thumbnail.size() != info.thumbnailSize && !info.thumbnail.empty()) {
        __builtin_trap();
    }
    if (info.cameraMake.size() > dz::kCameraMakeChars ||
        info.cameraModel.size() > dz::kCameraModelChars ||
        info.dateTime.size() > dz::kDateTimeChars ||
        info.exifVersion.size() > dz::kExifVersionChars || info.comment.size() > 998) {
        __builtin_trap();
    }
    if (info.orientation < 0 || info.orientation > 8 || info.flashUsed < 0 || info.flashUsed > 1) {
        __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    dz::ExifInfo info;
    dz::CExifReader reader(info);
    dz::MemorySource source(data, size);
    reader.Decode(source);
    if (source.position() > size) {
        __builtin_trap();
    }
    checkRecord(info);

    const auto lines = dz::pictureInformationLines(info, "[date]", "[time]");
    if (lines.size() < 3) {
        __builtin_trap();
    }
    dz::exposureTimeText(info.exposureTime);
    dz::focalLengthText(info.focalLength);
    dz::resolutionText(info.xResolution, info.yResolution);
    dz::focusDistanceText(info.focusDistance);
    dz::meteringModeName(info.meteringMode);

    // The same decoder again after Reset, as the scan uses it.
    reader.Reset();
    dz::ExifInfo again;
    reader.setTarget(again);
    dz::MemorySource second(data, size);
    reader.Decode(second);
    if (again.cameraMake != info.cameraMake || again.thumbnail != info.thumbnail) {
        __builtin_trap();
    }

    // The raw walk, as the scan makes it of a raw file held whole.
    dz::ExifInfo raw;
    reader.setTarget(raw);
    reader.DecodeTiff(data, size);
    checkRecord(raw);
    if (raw.thumbnailSize > size) {
        __builtin_trap();
    }
    dz::pictureInformationLines(raw, "[date]", "[time]");
    return 0;
}
