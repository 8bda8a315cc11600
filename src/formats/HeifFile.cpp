#include "formats/HeifFile.h"

#include "formats/HeifExifItem.h"
#include "formats/MadeThumbnail.h"
#include "formats/WholeFile.h"

#include <libheif/heif.h>

#include <memory>
#include <new>
#include <vector>

namespace dz {

namespace {

struct ContextRelease {
    void operator()(heif_context* context) const { heif_context_free(context); }
};
struct HandleRelease {
    void operator()(heif_image_handle* handle) const { heif_image_handle_release(handle); }
};
struct ImageRelease {
    void operator()(heif_image* image) const { heif_image_release(image); }
};
using Context = std::unique_ptr<heif_context, ContextRelease>;
using Handle = std::unique_ptr<heif_image_handle, HandleRelease>;
using Image = std::unique_ptr<heif_image, ImageRelease>;

std::string heifError(const heif_error& error) {
    std::string text = std::string("Invalid HEIF file: ") + (error.message != nullptr ? error.message : "");
    // libheif ends some of its messages with a line break.
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) {
        text.pop_back();
    }
    return text;
}

// The primary picture of a file already read into `context`.
Handle primaryPicture(heif_context* context, std::string& error) {
    heif_image_handle* handle = nullptr;
    const heif_error result = heif_context_get_primary_image_handle(context, &handle);
    if (result.code != heif_error_Ok) {
        error = heifError(result);
        return nullptr;
    }
    return Handle(handle);
}

// Decodes `handle` into a 24-bit picture; the memory limit is checked
// against the picture's size before libheif decodes a pixel.
bool decodePicture(heif_image_handle* handle, std::size_t memoryLimit, CRaster& out) {
    const int width = heif_image_handle_get_width(handle);
    const int height = heif_image_handle_get_height(handle);
    if (!out.createBlank(width, height, 24, memoryLimit)) {
        return false;
    }
    heif_image* decoded = nullptr;
    if (heif_decode_image(handle, &decoded, heif_colorspace_RGB, heif_chroma_interleaved_RGB, nullptr).code !=
        heif_error_Ok) {
        out.clear();
        return false;
    }
    const Image image(decoded);
    int stride = 0;
    const std::uint8_t* rows = heif_image_get_plane_readonly(image.get(), heif_channel_interleaved, &stride);
    if (rows == nullptr || heif_image_get_width(image.get(), heif_channel_interleaved) != width ||
        heif_image_get_height(image.get(), heif_channel_interleaved) != height) {
        out.clear();
        return false;
    }
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* from = rows + static_cast<std::size_t>(y) * static_cast<std::size_t>(stride);
        std::uint8_t* to = out.topDownRow(y);
        for (int x = 0; x < width; ++x, from += 3, to += 3) {
            to[0] = from[2];
            to[1] = from[1];
            to[2] = from[0];
        }
    }
    return true;
}

bool decodeExifItem(heif_image_handle* handle, CExifReader& reader) {
    heif_item_id id = 0;
    if (heif_image_handle_get_list_of_metadata_block_IDs(handle, "Exif", &id, 1) != 1) {
        return false;
    }
    std::vector<std::uint8_t> item;
    try {
        item.resize(heif_image_handle_get_metadata_size(handle, id));
    } catch (const std::bad_alloc&) {
        return reader.Fail("Could not allocate memory");
    }
    const std::uint8_t* block = nullptr;
    std::size_t blockSize = 0;
    if (heif_image_handle_get_metadata(handle, id, item.data()).code != heif_error_Ok ||
        !tiffBlockOfExifItem(item.data(), item.size(), block, blockSize)) {
        return reader.Fail("Invalid HEIF Exif item");
    }
    return reader.DecodeExifBlock(block, blockSize);
}

// The file's own thumbnail item, when it has one. Without one the film makes
// the thumbnail from the primary picture on its workers and keeps it in the
// thumbnail cache: decoding a 12-megapixel picture here would hold the scan
// for a third of a second per file.
void keepThumbnail(heif_image_handle* primary, ExifInfo& info) {
    heif_item_id id = 0;
    if (heif_image_handle_get_list_of_thumbnail_IDs(primary, &id, 1) != 1) {
        return;
    }
    heif_image_handle* thumbnail = nullptr;
    if (heif_image_handle_get_thumbnail(primary, id, &thumbnail).code != heif_error_Ok) {
        return;
    }
    const Handle owned(thumbnail);
    CRaster picture;
    if (decodePicture(owned.get(), DecodeOptions::kDefaultMemoryLimit, picture)) {
        keepMadeThumbnail(picture, info);
    }
}

}  // namespace

FactsOutcome readHeifFacts(ByteSource& file, std::uint64_t size, CExifReader& reader) {
    std::vector<std::uint8_t> bytes;
    if (!readWholeFile(file, size, bytes)) {
        return FactsOutcome::TooLarge;
    }
    const Context context(heif_context_alloc());
    if (!context) {
        reader.Fail("Could not allocate memory");
        return FactsOutcome::NotDecoded;
    }
    const heif_error read =
        heif_context_read_from_memory_without_copy(context.get(), bytes.data(), bytes.size(), nullptr);
    if (read.code != heif_error_Ok) {
        reader.Fail(heifError(read));
        return FactsOutcome::NotDecoded;
    }
    std::string error;
    const Handle primary = primaryPicture(context.get(), error);
    if (!primary) {
        reader.Fail(error);
        return FactsOutcome::NotDecoded;
    }
    const bool exif = decodeExifItem(primary.get(), reader);
    ExifInfo& info = reader.info();
    info.width = heif_image_handle_get_width(primary.get());
    info.height = heif_image_handle_get_height(primary.get());
    // A file without EXIF or date is passed over; it is not decoded for nothing.
    if (!exif || info.dateTime.empty()) {
        return FactsOutcome::Decoded;
    }
    keepThumbnail(primary.get(), info);
    return FactsOutcome::Decoded;
}

bool decodeHeifFile(const std::string& path, const DecodeOptions& options, CRaster& out) {
    out.clear();
    const Context context(heif_context_alloc());
    if (!context || heif_context_read_from_file(context.get(), path.c_str(), nullptr).code != heif_error_Ok) {
        return false;
    }
    std::string error;
    const Handle primary = primaryPicture(context.get(), error);
    return primary && decodePicture(primary.get(), options.memoryLimit, out);
}

}  // namespace dz
