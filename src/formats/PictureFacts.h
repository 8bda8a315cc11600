#pragma once

#include "exif/CExifReader.h"
#include "formats/PictureKind.h"
#include "platform/ByteSource.h"

#include <cstdint>
#include <string>

namespace dz {

enum class FactsOutcome {
    Decoded,     // the file's structure was read (its EXIF data may still be missing)
    NotDecoded,  // not a file of its kind; the reader's messages say why
    TooLarge,    // the file cannot be held to be read
};

// Reads the EXIF facts and thumbnail of the file at `path`, opened as
// `file` (`size` bytes), into `reader`'s target record, the way its kind is
// read. Readers of container formats may open `path` themselves when they
// need to seek.
FactsOutcome readPictureFacts(PictureKind kind, const std::string& path, ByteSource& file,
                              std::uint64_t size, CExifReader& reader);

}  // namespace dz
