// libFuzzer entry: any bytes through the JPEG section reader and the EXIF
// decoder, then through the picture information texts; the same bytes as a
// TIFF-based raw file too, and through the readers of the other containers
// (RAF, CR3, PNG chunks, a HEIF Exif item, ISO boxes, WebP chunks, a movie's
// user data and its index, and the ISO 6709 place texts of movies).
#include "exif/CExifReader.h"
#include "exif/ExifInfo.h"
#include "exif/ExifText.h"
#include "exif/ExifValueTexts.h"
#include "exif/PictureInformation.h"
#include "formats/Cr3File.h"
#include "formats/HeifExifItem.h"
#include "formats/Iso6709.h"
#include "formats/IsoBoxes.h"
#include "formats/MovieIndex.h"
#include "formats/PngChunks.h"
#include "formats/QuickTimeUserData.h"
#include "formats/RafFile.h"
#include "formats/WebpChunks.h"
#include "platform/ByteSource.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

// A position is on the globe, or unknown with nothing else said.
void checkPosition(const dz::ShotPosition& p) {
    if (!p.known) {
        if (p.hasAltitude) {
            __builtin_trap();
        }
        return;
    }
    if (!(p.latitude >= -90 && p.latitude <= 90 && p.longitude >= -180 && p.longitude <= 180) ||
        !std::isfinite(p.altitude)) {
        __builtin_trap();
    }
}

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
    for (const std::string* offset : {&info.offsetTimeOriginal, &info.offsetTimeDigitized, &info.offsetTimeModified}) {
        if (!offset->empty() && !dz::isClockOffset(*offset)) {
            __builtin_trap();
        }
    }
    if (info.subSecTimeOriginal.size() > 9 || info.bodySerialNumber.size() > 63 ||
        (!info.gpsDateTime.empty() && info.gpsDateTime.size() != dz::kDateTimeChars)) {
        __builtin_trap();
    }
    checkPosition(info.position);
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

    // The container readers, each with a record of its own.
    const auto container = [&](auto read) {
        dz::ExifInfo record;
        dz::CExifReader own(record);
        dz::MemorySource bytes(data, size);
        read(own, bytes);
        checkRecord(record);
        if (record.thumbnailSize > size) {
            __builtin_trap();
        }
        dz::pictureInformationLines(record, "[date]", "[time]");
    };
    container([](dz::CExifReader& own, dz::MemorySource& bytes) { dz::readRafFacts(bytes, own); });
    container([](dz::CExifReader& own, dz::MemorySource& bytes) { dz::readCr3Facts(bytes, own); });
    container([&](dz::CExifReader& own, dz::MemorySource&) {
        dz::PngChunks chunks;
        std::string error;
        if (dz::readPngChunks(data, size, chunks, error) && chunks.exif != nullptr) {
            if (chunks.exif < data || chunks.exif + chunks.exifSize > data + size) {
                __builtin_trap();
            }
            own.DecodeExifBlock(chunks.exif, chunks.exifSize);
        }
    });
    container([&](dz::CExifReader& own, dz::MemorySource&) {
        const std::uint8_t* block = nullptr;
        std::size_t blockSize = 0;
        if (dz::tiffBlockOfExifItem(data, size, block, blockSize)) {
            if (block < data || block + blockSize != data + size) {
                __builtin_trap();
            }
            own.DecodeExifBlock(block, blockSize);
        }
    });
    // Boxes nested as the bytes say, each inside its parent.
    std::size_t boxes = 0;
    const auto walk = [&](const auto& self, const std::uint8_t* from, std::size_t length, int depth) -> void {
        dz::IsoBoxWalker walker(from, length);
        for (dz::IsoBox box; depth < 32 && boxes < 4096 && walker.next(box); ++boxes) {
            if (box.body < from || box.body + box.bodySize > from + length) {
                __builtin_trap();
            }
            self(self, box.body, box.bodySize, depth + 1);
        }
    };
    walk(walk, data, size, 0);
    container([&](dz::CExifReader& own, dz::MemorySource&) {
        dz::WebpLayout layout;
        std::string problem;
        if (dz::readWebpLayout(data, size, layout, problem) && layout.exifSize > 0) {
            if (layout.exifOffset > size || layout.exifSize > size - layout.exifOffset) {
                __builtin_trap();
            }
            own.DecodeExifBlock(data + layout.exifOffset, layout.exifSize);
        }
    });
    dz::MemoryBoxSource movie(data, size);
    const dz::QuickTimeCamera camera = dz::readQuickTimeCamera(movie);
    if (camera.make.size() > dz::kCameraMakeChars || camera.model.size() > dz::kCameraModelChars) {
        __builtin_trap();
    }
    // The place a movie's user data gives, and the bytes as an ISO 6709 text.
    checkPosition(dz::positionOfIso6709(dz::readQuickTimeLocation(movie)));
    checkPosition(dz::positionOfIso6709(std::string_view(reinterpret_cast<const char*>(data), size)));
    // The same bytes as a movie's index: what it gives is within its bounds.
    dz::MovieIndex index;
    std::string problem;
    if (dz::readMovieIndex(movie, index, problem)) {
        if (index.width < 0 || index.width > 65535 || index.height < 0 || index.height > 65535 ||
            index.quarterTurns < 0 || index.quarterTurns > 3) {
            __builtin_trap();
        }
        for (const auto& [key, text] : index.tags) {
            if (key.size() > 256 || text.size() > 256) {
                __builtin_trap();
            }
            checkPosition(dz::positionOfIso6709(text));
        }
    }
    return 0;
}
