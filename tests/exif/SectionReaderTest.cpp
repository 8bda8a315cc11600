#include "DecodeHelper.h"
#include "JpegBuilder.h"
#include "exif/CExifReader.h"
#include "platform/ByteSource.h"

#include <gtest/gtest.h>

namespace dz::test {
namespace {

Bytes app2() { return {'I', 'C', 'C', '_', 'P', 'R', 'O', 'F', 'I', 'L', 'E', 0}; }

// A reader whose lastError already holds a message, to see that a failure
// without a message leaves it alone.
struct PrimedReader {
    ExifInfo info;
    CExifReader reader{info};
    std::vector<std::string> diagnostics;

    PrimedReader() {
        TiffBuilder tiff;
        tiff.addShort(0, 0x0112, 9);
        const Bytes primer = JpegBuilder().exif(tiff.build()).startOfScan().bytes();
        MemorySource source(primer.data(), primer.size());
        reader.Decode(source);
        reader.Reset();
        info = ExifInfo{};
        info.width = 77;
        reader.setDiagnosticSink([this](const std::string& text) { diagnostics.push_back(text); });
    }

    bool decode(const Bytes& bytes) {
        MemorySource source(bytes.data(), bytes.size());
        return reader.Decode(source);
    }
};

TEST(SectionReader, PrimedReaderHoldsAMessage) {
    PrimedReader primed;
    EXPECT_EQ(primed.reader.lastError(), "Undefined rotation value");
}

TEST(SectionReader, StreamNotStartingWithStartOfImageFailsSilently) {
    const std::vector<Bytes> cases = {
        {}, {0xFF}, {0x00, 0xD8, 0xFF, 0xE0}, {0xFF, 0xD9, 0xFF, 0xD8}, {0xD8, 0xFF}};
    for (const Bytes& bytes : cases) {
        PrimedReader primed;
        EXPECT_FALSE(primed.decode(bytes));
        EXPECT_EQ(primed.reader.lastError(), "Undefined rotation value");
        EXPECT_EQ(primed.info.width, 77);
        EXPECT_FALSE(primed.info.hasExif);
        EXPECT_TRUE(primed.diagnostics.empty());
    }
}

TEST(SectionReader, PictureWithoutExifGivesFrameFactsAndComment) {
    const auto r = decodeBytes(JpegBuilder()
                                   .app0()
                                   .comment("Holiday")
                                   .frame(1024, 768, 3, 0xC2)
                                   .startOfScan()
                                   .bytes());
    ASSERT_TRUE(r.ok);
    EXPECT_FALSE(r.info.hasExif);
    EXPECT_EQ(r.info.width, 1024);
    EXPECT_EQ(r.info.height, 768);
    EXPECT_EQ(r.info.isColor, 1);
    EXPECT_EQ(r.info.encodingMarker, 0xC2);
    EXPECT_EQ(r.info.comment, "Holiday");
    EXPECT_EQ(r.error, "");
}

TEST(SectionReader, FrameHeaderComponentsAndLaterHeaderWins) {
    const auto gray = decodeBytes(JpegBuilder().frame(10, 20, 1).startOfScan().bytes());
    ASSERT_TRUE(gray.ok);
    EXPECT_EQ(gray.info.isColor, 0);
    const auto four = decodeBytes(JpegBuilder().frame(10, 20, 4).startOfScan().bytes());
    EXPECT_EQ(four.info.isColor, 0);

    const auto twice =
        decodeBytes(JpegBuilder().frame(10, 20, 3, 0xC0).frame(300, 200, 1, 0xCF).startOfScan().bytes());
    ASSERT_TRUE(twice.ok);
    EXPECT_EQ(twice.info.width, 300);
    EXPECT_EQ(twice.info.height, 200);
    EXPECT_EQ(twice.info.isColor, 0);
    EXPECT_EQ(twice.info.encodingMarker, 0xCF);
}

TEST(SectionReader, OnlyFrameMarkersAreFrameHeaders) {
    // 0xC4 (Huffman tables), 0xC8 and 0xCC share the range but are no frames.
    for (const std::uint8_t marker : {0xC4, 0xC8, 0xCC}) {
        const auto r = decodeBytes(JpegBuilder().frame(10, 20, 3, marker).startOfScan().bytes());
        ASSERT_TRUE(r.ok);
        EXPECT_EQ(r.info.width, 0) << int(marker);
        EXPECT_EQ(r.info.encodingMarker, 0) << int(marker);
    }
    for (const std::uint8_t marker : {0xC0, 0xC1, 0xC3, 0xC5, 0xC7, 0xC9, 0xCB, 0xCD}) {
        const auto r = decodeBytes(JpegBuilder().frame(10, 20, 3, marker).startOfScan().bytes());
        EXPECT_EQ(r.info.encodingMarker, marker);
    }
}

TEST(SectionReader, ShortFrameHeaderIsIgnored) {
    const auto r = decodeBytes(JpegBuilder().section(0xC0, {8, 0, 10, 0}).startOfScan().bytes());
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.info.height, 0);
    EXPECT_EQ(r.info.encodingMarker, 0);
}

TEST(SectionReader, ReadsNothingAfterTheStartOfScanSection) {
    JpegBuilder jpeg;
    jpeg.app0().frame(8, 8).startOfScan();
    const auto r = decodeBytes(jpeg.bytes());
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.position, jpeg.scanStart());
    EXPECT_LT(r.position, jpeg.bytes().size());
}

struct FailureCase {
    const char* name;
    Bytes bytes;
    const char* message;
};

TEST(SectionReader, FailuresStoreTheirMessage) {
    const Bytes soi{0xFF, 0xD8};
    auto with = [&](Bytes tail) {
        Bytes b = soi;
        b.insert(b.end(), tail.begin(), tail.end());
        return b;
    };
    const std::vector<FailureCase> cases = {
        {"end right after start of image", soi, "invalid marker"},
        {"length 1", with({0xFF, 0xE2, 0x00, 0x01}), "invalid marker"},
        {"length 0", with({0xFF, 0xE2, 0x00, 0x00}), "invalid marker"},
        {"end inside the length", with({0xFF, 0xE2, 0x00}), "invalid marker"},
        {"end after a frame", JpegBuilder().frame(8, 8).bytes(), "invalid marker"},
        {"section shorter than its length", with({0xFF, 0xE2, 0x00, 0x10, 1, 2, 3}),
         "Premature end of file?"},
    };
    for (const FailureCase& c : cases) {
        const auto r = decodeBytes(c.bytes);
        EXPECT_FALSE(r.ok) << c.name;
        EXPECT_EQ(r.error, c.message) << c.name;
    }
}

TEST(SectionReader, LengthTwoIsAnEmptySection) {
    const auto r = decodeBytes(JpegBuilder().section(0xE5, {}).frame(5, 6).startOfScan().bytes());
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.info.width, 5);
}

TEST(SectionReader, EndOfImageBeforeScanIsOnlyADiagnostic) {
    const auto r = decodeBytes(JpegBuilder().frame(8, 8).raw({0xFF, 0xD9, 0x00, 0x02}).bytes());
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, "");
    EXPECT_EQ(r.diagnostics, std::vector<std::string>{"No image in jpeg!"});
    EXPECT_EQ(r.info.width, 8);
}

Bytes withFill(int fillBytes) {
    JpegBuilder jpeg;
    Bytes frame{0xC0, 0x00, 0x08, 8, 0, 20, 0, 10, 1};
    frame.insert(frame.begin(), static_cast<std::size_t>(fillBytes), 0xFF);
    jpeg.raw(frame).startOfScan();
    return jpeg.bytes();
}

TEST(SectionReader, SixFillBytesAreAcceptedSevenAreNot) {
    const auto six = decodeBytes(withFill(6));
    EXPECT_TRUE(six.ok);
    EXPECT_EQ(six.info.width, 10);
    EXPECT_TRUE(six.diagnostics.empty());

    const auto seven = decodeBytes(withFill(7));
    EXPECT_FALSE(seven.ok);
    EXPECT_EQ(seven.error, "");
    EXPECT_EQ(seven.diagnostics, std::vector<std::string>{"too many padding unsigned chars"});
}

TEST(SectionReader, MarkerWithoutLeadingFillByteIsTaken) {
    // The byte after a section is the marker code even when it is no 0xFF.
    const auto r = decodeBytes(withFill(0));
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.info.width, 10);
}

TEST(SectionReader, NineteenCountedSectionsMayPrecedeTheScan) {
    JpegBuilder ok;
    for (int i = 0; i < 19; ++i) {
        ok.section(0xE2, app2());
    }
    const auto r = decodeBytes(ok.startOfScan().bytes());
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.sections, 20u);  // the start of scan stays in the table

    JpegBuilder tooMany;
    for (int i = 0; i < 20; ++i) {
        tooMany.section(0xE2, app2());
    }
    const auto f = decodeBytes(tooMany.startOfScan().bytes());
    EXPECT_FALSE(f.ok);
    EXPECT_EQ(f.error, "Too many sections in jpg file");
}

TEST(SectionReader, App0OtherApp1AndRepeatedCommentsAreNotCounted) {
    JpegBuilder jpeg;
    jpeg.comment("first");  // the first comment counts
    for (int i = 0; i < 18; ++i) {
        jpeg.section(0xE2, app2());
    }
    for (int i = 0; i < 10; ++i) {
        jpeg.app0().app1({'h', 't', 't', 'p', ':'}).comment("again").app1({'E', 'x'});
    }
    const auto r = decodeBytes(jpeg.startOfScan().bytes());
    EXPECT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.info.comment, "first");

    // Exif sections and frame headers count like any other.
    JpegBuilder counted;
    for (int i = 0; i < 10; ++i) {
        counted.exif(TiffBuilder().build()).frame(4, 4);
    }
    const auto f = decodeBytes(counted.startOfScan().bytes());
    EXPECT_FALSE(f.ok);
    EXPECT_EQ(f.error, "Too many sections in jpg file");
}

TEST(SectionReader, ResetEmptiesTheSectionTable) {
    ExifInfo info;
    CExifReader reader(info);
    const Bytes bytes = JpegBuilder().frame(8, 8).startOfScan().bytes();
    MemorySource source(bytes.data(), bytes.size());
    ASSERT_TRUE(reader.Decode(source));
    EXPECT_EQ(reader.sectionCount(), 2u);
    reader.Reset();
    EXPECT_EQ(reader.sectionCount(), 0u);
}

TEST(SectionReader, OwnRecordAndRetargeting) {
    CExifReader reader;
    const Bytes bytes = JpegBuilder().frame(12, 34).startOfScan().bytes();
    MemorySource first(bytes.data(), bytes.size());
    ASSERT_TRUE(reader.Decode(first));
    EXPECT_EQ(reader.info().width, 12);

    CExifReader copy(reader);
    EXPECT_EQ(copy.info().width, 12);
    EXPECT_NE(&copy.info(), &reader.info());

    ExifInfo other;
    reader.setTarget(other);
    reader.Reset();
    MemorySource second(bytes.data(), bytes.size());
    ASSERT_TRUE(reader.Decode(second));
    EXPECT_EQ(other.height, 34);
    EXPECT_EQ(&reader.info(), &other);
}

struct CommentCase {
    std::string section;
    std::string comment;
};

TEST(SectionReader, CommentSectionText) {
    const std::vector<CommentCase> cases = {
        {"a\r\nb\x01", "a\nb?"},
        {"a\rb", "a?b"},
        {"tab\there\nline", "tab\there\nline"},
        {std::string("zero\0byte", 9), "zero?byte"},
        {"\x1f\x7f\x80\xff", "?\x7f\x80\xff"},
        {"ends in cr\r", "ends in cr?"},
        {"", ""},
    };
    for (const CommentCase& c : cases) {
        const auto r = decodeBytes(JpegBuilder().comment(c.section).startOfScan().bytes());
        ASSERT_TRUE(r.ok);
        EXPECT_EQ(r.info.comment, c.comment);
    }
}

TEST(SectionReader, CommentSectionTakesAtMost998Characters) {
    const auto r = decodeBytes(JpegBuilder().comment(std::string(5000, 'x')).startOfScan().bytes());
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.info.comment, std::string(998, 'x'));
}

TEST(SectionReader, CommentBeforeExifIsClearedOneAfterReplacesIt) {
    TiffBuilder tiff;
    tiff.addAscii(0, 0x010F, "Maker");
    const auto before =
        decodeBytes(JpegBuilder().comment("early").exif(tiff.build()).startOfScan().bytes());
    ASSERT_TRUE(before.ok);
    EXPECT_EQ(before.info.comment, "");

    TiffBuilder withUserComment;
    withUserComment.addUndefined(0, 0x9286, {'A', 'S', 'C', 'I', 'I', 0, 0, 0, 'E', 'x'});
    const auto after = decodeBytes(
        JpegBuilder().exif(withUserComment.build()).comment("late").startOfScan().bytes());
    ASSERT_TRUE(after.ok);
    EXPECT_EQ(after.info.comment, "late");
}

}  // namespace
}  // namespace dz::test
