#pragma once

#include "exif/ExifInfo.h"
#include "platform/ByteSource.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace dz {

// Reads the marker sections at the head of a JPEG stream up to the start of
// scan and fills one ExifInfo record. Never throws; failures are a false
// result and a message in lastError().
class CExifReader {
public:
    // Decodes into `target`, which the caller owns and zero-fills.
    explicit CExifReader(ExifInfo& target);
    // Decodes into a record of its own.
    CExifReader();

    // True when the start-of-scan marker was reached.
    bool Decode(ByteSource& stream);
    // Forgets the sections of the last stream.
    void Reset();

    // Points the decoder at another record.
    void setTarget(ExifInfo& target);
    ExifInfo& info() { return *target_; }
    const std::string& lastError() const { return lastError_; }

    // ... internal steps are private; see CExifReader.cpp.

private:
    ExifInfo own_;
    ExifInfo* target_;
    std::string lastError_;
    // (further state is the implementer's)
};

}  // namespace dz
