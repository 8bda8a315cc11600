// The entry of dezoredu-heif.so: its table of functions over libheif.
#include "formats/HeifModuleAbi.h"

#include <libheif/heif.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <string>

struct DzHeifFile {
    heif_context* context = nullptr;
    heif_image_handle* primary = nullptr;
    std::size_t size = 0;

    ~DzHeifFile() {
        heif_image_handle_release(primary);
        heif_context_free(context);
    }
};

namespace dz::heif {

namespace {

struct HandleRelease {
    void operator()(heif_image_handle* handle) const { heif_image_handle_release(handle); }
};
struct ImageRelease {
    void operator()(heif_image* image) const { heif_image_release(image); }
};
struct ContextRelease {
    void operator()(heif_context* context) const { heif_context_free(context); }
};

void tell(const heif_error& error, char* problem, std::size_t problemSize) {
    if (problem == nullptr || problemSize == 0) {
        return;
    }
    std::string text = std::string("Invalid HEIF file: ") + (error.message != nullptr ? error.message : "");
    // libheif ends some of its messages with a line break.
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) {
        text.pop_back();
    }
    const std::size_t length = std::min(text.size(), problemSize - 1);
    std::memcpy(problem, text.data(), length);
    problem[length] = '\0';
}

// Decodes `handle` into the sink; its rows are asked for before libheif
// decodes a pixel, so the memory limit is checked first.
int decodePicture(heif_image_handle* handle, const DzPictureSink& sink) {
    const int width = heif_image_handle_get_width(handle);
    const int height = heif_image_handle_get_height(handle);
    std::ptrdiff_t stride = 0;
    std::uint8_t* top = width > 0 && height > 0 ? sink.rows(sink.owner, width, height, &stride) : nullptr;
    if (top == nullptr) {
        return 0;
    }
    heif_image* decoded = nullptr;
    if (heif_decode_image(handle, &decoded, heif_colorspace_RGB, heif_chroma_interleaved_RGB, nullptr).code !=
        heif_error_Ok) {
        return 0;
    }
    const std::unique_ptr<heif_image, ImageRelease> image(decoded);
    int from = 0;
    const std::uint8_t* rows = heif_image_get_plane_readonly(image.get(), heif_channel_interleaved, &from);
    if (rows == nullptr || heif_image_get_width(image.get(), heif_channel_interleaved) != width ||
        heif_image_get_height(image.get(), heif_channel_interleaved) != height) {
        return 0;
    }
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* in = rows + static_cast<std::size_t>(y) * static_cast<std::size_t>(from);
        std::uint8_t* out = top + static_cast<std::ptrdiff_t>(y) * stride;
        for (int x = 0; x < width; ++x, in += 3, out += 3) {
            out[0] = in[2];
            out[1] = in[1];
            out[2] = in[0];
        }
    }
    return 1;
}

DzHeifFile* open(const std::uint8_t* data, std::size_t size, char* problem, std::size_t problemSize) {
    DzHeifFile* file = new (std::nothrow) DzHeifFile;
    if (file == nullptr || (file->context = heif_context_alloc()) == nullptr) {
        delete file;
        tell({heif_error_Memory_allocation_error, heif_suberror_Unspecified, "Could not allocate memory"}, problem,
             problemSize);
        return nullptr;
    }
    file->size = size;
    heif_error result = heif_context_read_from_memory_without_copy(file->context, data, size, nullptr);
    if (result.code == heif_error_Ok) {
        result = heif_context_get_primary_image_handle(file->context, &file->primary);
    }
    if (result.code != heif_error_Ok) {
        tell(result, problem, problemSize);
        delete file;
        return nullptr;
    }
    return file;
}

void close(DzHeifFile* file) {
    delete file;
}

void primarySize(const DzHeifFile* file, int* width, int* height) {
    *width = heif_image_handle_get_width(file->primary);
    *height = heif_image_handle_get_height(file->primary);
}

heif_item_id exifItem(const DzHeifFile* file) {
    heif_item_id id = 0;
    return heif_image_handle_get_list_of_metadata_block_IDs(file->primary, "Exif", &id, 1) == 1 ? id : 0;
}

std::size_t exifItemSize(const DzHeifFile* file) {
    const heif_item_id id = exifItem(file);
    return id == 0 ? 0 : heif_image_handle_get_metadata_size(file->primary, id);
}

int copyExifItem(const DzHeifFile* file, std::uint8_t* out, std::size_t size) {
    const heif_item_id id = exifItem(file);
    return id != 0 && heif_image_handle_get_metadata_size(file->primary, id) == size &&
           heif_image_handle_get_metadata(file->primary, id, out).code == heif_error_Ok;
}

int decodeThumbnail(const DzHeifFile* file, const DzPictureSink* sink) {
    heif_item_id id = 0;
    if (heif_image_handle_get_list_of_thumbnail_IDs(file->primary, &id, 1) != 1) {
        return 0;
    }
    heif_image_handle* thumbnail = nullptr;
    if (heif_image_handle_get_thumbnail(file->primary, id, &thumbnail).code != heif_error_Ok) {
        return 0;
    }
    const std::unique_ptr<heif_image_handle, HandleRelease> owned(thumbnail);
    return decodePicture(owned.get(), *sink);
}

int decodeFile(const char* path, const DzPictureSink* sink) {
    const std::unique_ptr<heif_context, ContextRelease> context(heif_context_alloc());
    if (!context || heif_context_read_from_file(context.get(), path, nullptr).code != heif_error_Ok) {
        return 0;
    }
    heif_image_handle* primary = nullptr;
    if (heif_context_get_primary_image_handle(context.get(), &primary).code != heif_error_Ok) {
        return 0;
    }
    const std::unique_ptr<heif_image_handle, HandleRelease> owned(primary);
    return decodePicture(owned.get(), *sink);
}

}  // namespace

}  // namespace dz::heif

extern "C" __attribute__((visibility("default"))) const DzHeifModule dz_heif_module = {
    DZ_HEIF_MODULE_VERSION,
    dz::heif::open,
    dz::heif::close,
    dz::heif::primarySize,
    dz::heif::exifItemSize,
    dz::heif::copyExifItem,
    dz::heif::decodeThumbnail,
    dz::heif::decodeFile,
};
