#include "formats/HeifFile.h"

#include "formats/HeifExifItem.h"
#include "formats/LoadedModules.h"
#include "formats/MadeThumbnail.h"
#include "formats/RasterSink.h"
#include "formats/WholeFile.h"

#include <memory>
#include <new>
#include <vector>

namespace dz {

namespace {

// A file opened by the HEIF module, closed with it.
struct HeifFileRelease {
    const DzHeifModule* module;
    void operator()(DzHeifFile* file) const { module->close(file); }
};
using OpenedHeif = std::unique_ptr<DzHeifFile, HeifFileRelease>;

bool decodeExifItem(const DzHeifModule& module, const DzHeifFile* file, std::size_t fileSize,
                    CExifReader& reader) {
    const std::size_t size = module.exifItemSize(file);
    if (size == 0) {
        return false;
    }
    // An item larger than its file is a length the file lies about.
    if (size > fileSize) {
        return reader.Fail("Invalid HEIF Exif item");
    }
    std::vector<std::uint8_t> item;
    try {
        item.resize(size);
    } catch (const std::bad_alloc&) {
        return reader.Fail("Could not allocate memory");
    }
    const std::uint8_t* block = nullptr;
    std::size_t blockSize = 0;
    if (module.copyExifItem(file, item.data(), item.size()) == 0 ||
        !tiffBlockOfExifItem(item.data(), item.size(), block, blockSize)) {
        return reader.Fail("Invalid HEIF Exif item");
    }
    return reader.DecodeExifBlock(block, blockSize);
}

// The file's own thumbnail item, when it has one. Without one the film makes
// the thumbnail from the primary picture on its workers and keeps it in the
// thumbnail cache: decoding a 12-megapixel picture here would hold the scan
// for a third of a second per file.
void keepThumbnail(const DzHeifModule& module, const DzHeifFile* file, ExifInfo& info) {
    CRaster picture;
    const RasterSink sink(picture, DecodeOptions::kDefaultMemoryLimit);
    if (module.decodeThumbnail(file, sink.sink()) != 0) {
        keepMadeThumbnail(picture, info);
    }
}

}  // namespace

FactsOutcome readHeifFacts(ByteSource& file, std::uint64_t size, CExifReader& reader) {
    std::string problem;
    const DzHeifModule* module = heifModule(problem);
    if (module == nullptr) {
        reader.Fail(problem);
        return FactsOutcome::NotDecoded;
    }
    std::vector<std::uint8_t> bytes;
    if (!readWholeFile(file, size, bytes)) {
        return FactsOutcome::TooLarge;
    }
    char text[256] = {};
    const OpenedHeif heif(module->open(bytes.data(), bytes.size(), text, sizeof text), HeifFileRelease{module});
    if (!heif) {
        reader.Fail(text);
        return FactsOutcome::NotDecoded;
    }
    const bool exif = decodeExifItem(*module, heif.get(), bytes.size(), reader);
    ExifInfo& info = reader.info();
    module->primarySize(heif.get(), &info.width, &info.height);
    // Phones and cameras write colour HEIF; libheif 1.15 does not tell a
    // grey picture's chroma before decoding it.
    info.isColor = 1;
    // A file without EXIF or date is passed over; it is not decoded for nothing.
    if (!exif || info.dateTime.empty()) {
        return FactsOutcome::Decoded;
    }
    keepThumbnail(*module, heif.get(), info);
    return FactsOutcome::Decoded;
}

bool decodeHeifFile(const std::string& path, const DecodeOptions& options, CRaster& out) {
    out.clear();
    std::string problem;
    const DzHeifModule* module = heifModule(problem);
    if (module == nullptr) {
        return false;
    }
    const RasterSink sink(out, options.memoryLimit);
    if (module->decodeFile(path.c_str(), sink.sink()) == 0) {
        out.clear();
        return false;
    }
    return true;
}

}  // namespace dz
