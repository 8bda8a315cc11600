#include "formats/PictureDecode.h"

#include "exif/CExifReader.h"
#include "formats/PictureKind.h"
#include "formats/WholeFile.h"
#include "platform/FileSource.h"

#include <algorithm>
#include <fcntl.h>
#include <vector>

namespace dz {

namespace {

bool readWholePath(const std::string& path, std::vector<std::uint8_t>& bytes) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    FileSource file(fd);
    return readWholeFile(file, 0, bytes) && !file.failed();
}

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

}  // namespace

bool decodePictureFile(const std::string& path, const DecodeOptions& options, CRaster& out,
                       ImageFormat plainFormat) {
    switch (pictureKindOf(path, PictureFiles::AllFormats)) {
    case PictureKind::TiffRaw:
        return decodeRawPreview(path, options, out);
    case PictureKind::Jpeg:
    case PictureKind::None:
        break;
    }
    return out.decodeFile(path, plainFormat, options);
}

}  // namespace dz
