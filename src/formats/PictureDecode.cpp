#include "formats/PictureDecode.h"

#include "exif/CExifReader.h"
#include "formats/Cr3File.h"
#include "formats/HeifFile.h"
#include "formats/PictureKind.h"
#include "formats/RafFile.h"
#include "formats/VideoFile.h"
#include "formats/VideoPlaceholder.h"
#include "formats/WebpFile.h"
#include "formats/WholeFile.h"
#include "formats/WholePath.h"
#include "platform/FileSource.h"

#include <algorithm>
#include <fcntl.h>
#include <vector>

namespace dz {

namespace {

// The largest embedded JPEG preview, which the EXIF walk keeps as the thumbnail.
bool decodeRawPreview(const std::string& path, const DecodeOptions& options, CRaster& out) {
    std::vector<std::uint8_t> bytes;
    if (!readWholePath(path, bytes)) {
        return false;
    }
    ExifInfo info;
    CExifReader reader(info);
    if (!reader.DecodeTiff(bytes.data(), bytes.size())) {
        return false;
    }
    const std::size_t size = std::min<std::size_t>(info.thumbnailSize, info.thumbnail.size());
    return size > 0 && out.decodeMemory(info.thumbnail.data(), size, ImageFormat::Jpeg, options);
}

// The preview the facts reader keeps as the thumbnail of a RAF or CR3 file.
bool decodeKeptPreview(PictureKind kind, const std::string& path, const DecodeOptions& options, CRaster& out) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    FileSource file(fd);
    ExifInfo info;
    CExifReader reader(info);
    const FactsOutcome outcome = kind == PictureKind::Raf ? readRafFacts(file, reader) : readCr3Facts(file, reader);
    return outcome == FactsOutcome::Decoded && !info.thumbnail.empty() &&
           out.decodeMemory(info.thumbnail.data(), info.thumbnail.size(), ImageFormat::Jpeg, options);
}

}  // namespace

bool decodePictureFile(const std::string& path, const DecodeOptions& options, CRaster& out,
                       ImageFormat plainFormat) {
    const PictureKind kind = pictureKindOf(path, PictureFiles::AllFormats);
    switch (kind) {
    case PictureKind::TiffRaw:
        return decodeRawPreview(path, options, out);
    case PictureKind::Heif:
        return decodeHeifFile(path, options, out);
    case PictureKind::Png:
        return out.decodeFile(path, ImageFormat::Png, options);
    case PictureKind::Raf:
    case PictureKind::Cr3:
        return decodeKeptPreview(kind, path, options, out);
    case PictureKind::Video:
        return decodeVideoFile(path, options, out);
    case PictureKind::Webp:
        return decodeWebpFile(path, options, out);
    case PictureKind::Jpeg:
    case PictureKind::None:
        break;
    }
    return out.decodeFile(path, plainFormat, options);
}

bool decodeKindPlaceholder(const std::string& path, CRaster& out) {
    if (pictureKindOf(path, PictureFiles::AllFormats) != PictureKind::Video) {
        return false;
    }
    const std::vector<std::uint8_t> placeholder = videoPlaceholderJpeg();
    return out.decodeMemory(placeholder.data(), placeholder.size(), ImageFormat::Jpeg);
}

}  // namespace dz
