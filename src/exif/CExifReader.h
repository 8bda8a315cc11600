#pragma once

#include "exif/ExifByteReader.h"
#include "exif/ExifInfo.h"
#include "platform/ByteSource.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace dz {

// Reads the marker sections at the head of a JPEG stream up to the start of
// scan and fills one ExifInfo record. Never throws; failures are a false
// result and a message in lastError().
class CExifReader {
public:
    // Counted sections allowed before the start of scan, plus one.
    static constexpr std::size_t kMaxSections = 20;

    // Decodes into `target`, which the caller owns and zero-fills.
    explicit CExifReader(ExifInfo& target);
    // Decodes into a record of its own.
    CExifReader();
    // A copy decodes into its own record when the original did.
    CExifReader(const CExifReader& other);
    CExifReader& operator=(const CExifReader& other);
    ~CExifReader() = default;

    // True when the start-of-scan marker was reached.
    bool Decode(ByteSource& stream);
    // Decodes a TIFF-based raw file held whole in `data`: the TIFF structure
    // from offset 0 (with the raw makers' own magic numbers), its sub-
    // directories and an embedded EXIF JPEG; the thumbnail becomes the
    // largest embedded JPEG preview that decodes. True when the structure
    // could be walked.
    bool DecodeTiff(const std::uint8_t* data, std::size_t size);
    // Decodes a bare TIFF EXIF block (byte order mark first), as other
    // containers than JPEG hold it, into the record; hasExif tells whether
    // it could be read. Several blocks of one picture (IFD0 and the EXIF
    // directory apart) are decoded one after the other into the same record.
    bool DecodeExifBlock(const std::uint8_t* data, std::size_t size);
    // A container reader's own reason why a file could not be read, stored
    // and handed on as the decoder's messages are; always false.
    bool Fail(const std::string& message);
    // Forgets the sections of the last stream.
    void Reset();

    // Points the decoder at another record.
    void setTarget(ExifInfo& target);
    ExifInfo& info() { return *target_; }
    const ExifInfo& info() const { return *target_; }
    const std::string& lastError() const { return lastError_; }

    // Sections counted in the table by the last Decode.
    std::size_t sectionCount() const { return sections_.size(); }

    // Receives every message as it is stored in lastError(). lastError()
    // keeps the last one across streams; a caller that wants the messages of
    // one stream alone collects them here.
    void setMessageSink(std::function<void(const std::string&)> sink) { messageSink_ = std::move(sink); }

    // Receives the two developer diagnostics ("too many padding unsigned
    // chars", "No image in jpeg!"). Without a sink they go nowhere; they are
    // never meant for the user.
    void setDiagnosticSink(std::function<void(const std::string&)> sink) {
        diagnosticSink_ = std::move(sink);
    }

private:
    struct Section {
        int marker = 0;
        std::size_t length = 0;
        std::vector<std::uint8_t> data;  // released once handled
    };
    // Thumbnail tags of one directory.
    struct DirectoryThumbnail {
        std::int64_t offset = 0;
        std::int64_t size = 0;
        // Raw files only: a single strip of a JPEG-compressed directory.
        std::int64_t stripOffset = 0;
        std::int64_t stripSize = 0;
        std::int64_t stripCount = 0;
        std::int64_t compression = 0;
    };
    // One directory entry, with its value found in the block.
    struct Entry {
        int tag = 0;
        int format = 0;
        std::uint32_t components = 0;
        std::uint64_t valueOffset = 0;
        ExifByteReader value;
    };
    // Where the first directory of a TIFF block is read: a JPEG's segment has
    // always been read right after its header; the bare blocks of the other
    // containers are read where their header says, as any TIFF reader does.
    enum class FirstDirectory { AfterHeader, AtStatedOffset };
    // An embedded JPEG a raw file offers as its picture, within the block.
    struct Preview {
        std::uint64_t offset = 0;
        std::uint64_t size = 0;
    };

    void ReadFrameHeader(const std::vector<std::uint8_t>& section, int marker);
    void ReadCommentSegment(const std::vector<std::uint8_t>& section, std::size_t length);
    bool ReadExifSegment(const std::uint8_t* data, std::size_t length);
    bool ReadTiffBlock(const std::uint8_t* blockStart, std::size_t blockLength,
                       FirstDirectory first = FirstDirectory::AfterHeader);
    bool ReadDirectory(const ExifByteReader& block, std::uint64_t start, int depth);
    // The GPS directory a link of the first directory leads to.
    bool ReadGpsDirectory(const ExifByteReader& block, std::uint64_t start, int depth);
    // The number of entries of the directory at `start`, when they all lie in the block.
    static std::optional<std::uint16_t> entryCount(const ExifByteReader& block, std::uint64_t start);
    // Reads entry `index` of the directory at `start`, of a count entryCount()
    // gave; nullptr, or the message of why the entry cannot be read.
    const char* ReadEntry(const ExifByteReader& block, std::uint64_t start, std::uint64_t index,
                          Entry& entry) const;
    // Raw files only: tags that lead to more directories or to previews.
    bool ApplyRawTag(int tag, int format, std::uint32_t components, const ExifByteReader& block,
                     const ExifByteReader& value, int depth, DirectoryThumbnail& thumbnail);
    void ReadEmbeddedJpeg(const ExifByteReader& block, const ExifByteReader& value);
    void KeepPreviews(const ExifByteReader& block, const DirectoryThumbnail& thumbnail);
    void TakeLargestPreview(const ExifByteReader& block);
    void ApplyTag(int tag, int format, const ExifByteReader& value, DirectoryThumbnail& thumbnail);
    double ValueAsNumber(const ExifByteReader& value, int format) const;

    bool mayEnterDirectory(std::uint64_t start, int depth);
    void releaseSections();
    // Stores `message` in lastError() and hands it to the message sink.
    void note(const char* message);
    bool fail(const char* message);
    void diagnose(const char* text);

    ExifInfo own_;
    ExifInfo* target_;
    std::string lastError_;
    std::vector<Section> sections_;
    std::int32_t exifImageWidth_ = 0;
    bool motorolaOrder_ = false;
    bool rawMode_ = false;  // walking a raw file, not a JPEG's EXIF segment
    std::vector<Preview> previews_;
    // Directory offsets read in the current EXIF block; links to one of them
    // are not followed again, so cycles end.
    std::vector<std::uint64_t> visitedDirectories_;
    std::function<void(const std::string&)> diagnosticSink_;
    std::function<void(const std::string&)> messageSink_;
};

}  // namespace dz
