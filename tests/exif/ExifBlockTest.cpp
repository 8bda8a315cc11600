#include "DecodeHelper.h"
#include "JpegBuilder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace dz::test {
namespace {

constexpr std::uint16_t kExifLink = 0x8769;
constexpr std::uint16_t kInteropLink = 0xA005;
constexpr std::uint16_t kGpsLink = 0x8825;

Bytes exifBody(const Bytes& afterExif) {
    Bytes body{'E', 'x', 'i', 'f'};
    for (const std::uint8_t byte : afterExif) {
        body.push_back(byte);
    }
    return body;
}

TEST(ExifBlock, HeaderChecksFailTheBlockButNotTheDecode) {
    struct Case {
        const char* name;
        Bytes app1;
        const char* message;
    };
    TiffBuilder badMagic;
    badMagic.setMagic(43);
    TiffBuilder offset7;
    offset7.setFirstDirectoryOffset(7);
    TiffBuilder offset17;
    offset17.setFirstDirectoryOffset(17);
    const std::vector<Case> cases = {
        {"no zero bytes", exifBody({0, 1, 'I', 'I', 42, 0, 8, 0, 0, 0}), "Incorrect Exif header"},
        {"only the word", exifBody({}), "Incorrect Exif header"},
        {"unknown order", exifBody({0, 0, 'I', 'M', 42, 0, 8, 0, 0, 0}),
         "Invalid Exif alignment marker."},
        {"no order mark", exifBody({0, 0}), "Invalid Exif alignment marker."},
    };
    for (const Case& c : cases) {
        const auto r = decodeBytes(JpegBuilder().app1(c.app1).frame(4, 4).startOfScan().bytes());
        EXPECT_TRUE(r.ok) << c.name;
        EXPECT_FALSE(r.info.hasExif) << c.name;
        EXPECT_EQ(r.error, c.message) << c.name;
        EXPECT_EQ(r.info.width, 4) << c.name;
    }
    const std::vector<std::pair<const TiffBuilder*, const char*>> tiffCases = {
        {&badMagic, "Invalid Exif start (1)"},
        {&offset7, "Suspicious offset of first IFD value"},
        {&offset17, "Suspicious offset of first IFD value"},
    };
    for (const auto& [tiff, message] : tiffCases) {
        const auto r = decodeTiff(*tiff);
        EXPECT_TRUE(r.ok);
        EXPECT_FALSE(r.info.hasExif);
        EXPECT_EQ(r.error, message);
    }
    const auto truncated = decodeBytes(
        JpegBuilder().app1(exifBody({0, 0, 'M', 'M', 0, 42, 0, 0})).startOfScan().bytes());
    EXPECT_FALSE(truncated.info.hasExif);
    EXPECT_EQ(truncated.error, "Suspicious offset of first IFD value");
}

TEST(ExifBlock, FirstDirectoryIsAlwaysReadAtOffsetEight) {
    for (const std::uint32_t offset : {8u, 12u, 16u}) {
        TiffBuilder tiff;
        tiff.setFirstDirectoryOffset(offset);
        tiff.addAscii(0, 0x010F, "Maker");
        const auto r = decodeTiff(tiff);
        ASSERT_TRUE(r.ok);
        EXPECT_TRUE(r.info.hasExif) << offset;
        EXPECT_EQ(r.info.cameraMake, "Maker") << offset;
    }
}

// Every tag the decoder acts on, spread over the directories of a camera file.
TiffBuilder everyTag(bool bigEndian) {
    TiffBuilder t(bigEndian);
    const int exif = t.addDirectory();
    const int interop = t.addDirectory();
    const int thumb = t.addDirectory();
    t.addAscii(0, 0x010F, "Canon");
    t.addAscii(0, 0x0110, "Canon EOS 40D");
    t.addShort(0, 0x0112, 6);
    t.addRational(0, 0x011A, 300, 1);
    t.addRational(0, 0x011B, 150, 1);
    t.addShort(0, 0x0128, 2);
    t.link(0, kExifLink, exif);
    t.setNext(0, thumb);
    t.addRational(exif, 0x829A, 1, 125);
    t.addRational(exif, 0x829D, 28, 10);
    t.addShort(exif, 0x8822, 3);
    t.addShort(exif, 0x8827, 400);
    t.addUndefined(exif, 0x9000, {'0', '2', '2', '1'});
    t.addAscii(exif, 0x9003, "2008:05:30 15:56:01");
    t.addRational(exif, 0x9102, 5, 1);
    t.addSRational(exif, 0x9201, 9, 1);
    t.addRational(exif, 0x9202, 6, 1);
    t.addFloat(exif, 0x9203, 2.5f);
    t.addSRational(exif, 0x9204, -2, 3);
    t.addDouble(exif, 0x9206, 3.75);
    t.addShort(exif, 0x9207, 5);
    t.addShort(exif, 0x9208, 3);
    t.addShort(exif, 0x9209, 0x19);
    t.addRational(exif, 0x920A, 135, 1);
    t.addUndefined(exif, 0x9286, {'A', 'S', 'C', 'I', 'I', 0, 0, 0, 'H', 'i', ' ', ' '});
    t.addLong(exif, 0xA002, 3000);
    t.addShort(exif, 0xA003, 2000);
    t.addRational(exif, 0xA20E, 2000, 1);
    t.addRational(exif, 0xA20F, 1000, 1);
    t.addShort(exif, 0xA210, 2);
    t.link(exif, kInteropLink, interop);
    t.addAscii(interop, 0x0001, "R98");
    t.setThumbnail(thumb, {0xFF, 0xD8, 1, 2, 3, 0xFF, 0xD9});
    return t;
}

TEST(ExifBlock, EveryTagReachesItsField) {
    const auto r = decodeTiff(everyTag(false));
    ASSERT_TRUE(r.ok);
    const ExifInfo& i = r.info;
    EXPECT_TRUE(i.hasExif);
    EXPECT_EQ(r.error, "");
    EXPECT_EQ(i.cameraMake, "Canon");
    EXPECT_EQ(i.cameraModel, "Canon EOS 40D");
    EXPECT_EQ(i.orientation, 6);
    EXPECT_FLOAT_EQ(i.xResolution, 300);
    EXPECT_FLOAT_EQ(i.yResolution, 150);
    EXPECT_FLOAT_EQ(i.resolutionUnit, 1.0f);
    EXPECT_FLOAT_EQ(i.exposureTime, 0.008f);
    EXPECT_FLOAT_EQ(i.apertureFNumber, 2.8f);
    EXPECT_EQ(i.exposureProgram, 3);
    EXPECT_EQ(i.isoEquivalent, 400);
    EXPECT_EQ(i.exifVersion, "0221");
    EXPECT_EQ(i.dateTime, "2008:05:30 15:56:01");
    EXPECT_EQ(i.jpegQuality, 5);
    EXPECT_FLOAT_EQ(i.brightness, 2.5f);
    EXPECT_NEAR(i.exposureBias, -0.6667f, 1e-4);
    EXPECT_FLOAT_EQ(i.focusDistance, 3.75f);
    EXPECT_EQ(i.meteringMode, 5);
    EXPECT_EQ(i.whitebalance, 3);
    EXPECT_EQ(i.flashUsed, 1);
    EXPECT_FLOAT_EQ(i.focalLength, 135);
    EXPECT_EQ(i.comment, "Hi");
    EXPECT_FLOAT_EQ(i.focalPlaneXRes, 2000);
    EXPECT_FLOAT_EQ(i.focalPlaneYRes, 1000);
    EXPECT_FLOAT_EQ(i.focalPlaneUnit, 1.0f);
    EXPECT_NEAR(i.ccdWidth, 38.1f, 1e-4);
    EXPECT_EQ(i.thumbnail, (Bytes{0xFF, 0xD8, 1, 2, 3, 0xFF, 0xD9}));
    EXPECT_EQ(i.thumbnailSize, 7u);
    EXPECT_EQ(i.width, 640);
}

TEST(ExifBlock, BigEndianBlockGivesTheSameRecord) {
    const auto little = decodeTiff(everyTag(false));
    const auto big = decodeTiff(everyTag(true));
    ASSERT_TRUE(big.ok);
    const ExifInfo& a = little.info;
    const ExifInfo& b = big.info;
    EXPECT_TRUE(b.hasExif);
    EXPECT_EQ(a.cameraMake, b.cameraMake);
    EXPECT_EQ(a.cameraModel, b.cameraModel);
    EXPECT_EQ(a.dateTime, b.dateTime);
    EXPECT_EQ(a.exifVersion, b.exifVersion);
    EXPECT_EQ(a.orientation, b.orientation);
    EXPECT_EQ(a.exposureTime, b.exposureTime);
    EXPECT_EQ(a.apertureFNumber, b.apertureFNumber);
    EXPECT_EQ(a.exposureProgram, b.exposureProgram);
    EXPECT_EQ(a.isoEquivalent, b.isoEquivalent);
    EXPECT_EQ(a.jpegQuality, b.jpegQuality);
    EXPECT_EQ(a.brightness, b.brightness);  // FLOAT: little-endian in both
    EXPECT_EQ(a.focusDistance, b.focusDistance);  // DOUBLE: likewise
    EXPECT_EQ(a.exposureBias, b.exposureBias);
    EXPECT_EQ(a.meteringMode, b.meteringMode);
    EXPECT_EQ(a.whitebalance, b.whitebalance);
    EXPECT_EQ(a.flashUsed, b.flashUsed);
    EXPECT_EQ(a.focalLength, b.focalLength);
    EXPECT_EQ(a.comment, b.comment);
    EXPECT_EQ(a.xResolution, b.xResolution);
    EXPECT_EQ(a.yResolution, b.yResolution);
    EXPECT_EQ(a.resolutionUnit, b.resolutionUnit);
    EXPECT_EQ(a.focalPlaneXRes, b.focalPlaneXRes);
    EXPECT_EQ(a.focalPlaneYRes, b.focalPlaneYRes);
    EXPECT_EQ(a.focalPlaneUnit, b.focalPlaneUnit);
    EXPECT_EQ(a.ccdWidth, b.ccdWidth);
    EXPECT_EQ(a.thumbnail, b.thumbnail);
    EXPECT_EQ(a.thumbnailSize, b.thumbnailSize);
}

TEST(ExifBlock, FloatIsReadLittleEndianEvenInBigEndianBlock) {
    // The same four bytes in a big-endian block are still taken little-endian.
    TiffBuilder t(true);
    t.addEntry(0, 0x9203, 11, 1, {0x00, 0x00, 0x20, 0x40});  // 2.5f little-endian
    const auto r = decodeTiff(t);
    EXPECT_FLOAT_EQ(r.info.brightness, 2.5f);
}

TEST(ExifBlock, ExposureTimeWinsOverShutterSpeed) {
    TiffBuilder both;
    both.addRational(0, 0x829A, 1, 125);
    both.addSRational(0, 0x9201, 7, 1);
    EXPECT_FLOAT_EQ(decodeTiff(both).info.exposureTime, 0.008f);

    TiffBuilder shutterOnly;
    shutterOnly.addSRational(0, 0x9201, 7, 1);
    EXPECT_FLOAT_EQ(decodeTiff(shutterOnly).info.exposureTime, 0.0078125f);

    // A shutter speed before the exposure time is overwritten by it.
    TiffBuilder shutterFirst;
    const int exif = shutterFirst.addDirectory();
    shutterFirst.addSRational(0, 0x9201, 7, 1);
    shutterFirst.link(0, kExifLink, exif);
    shutterFirst.addRational(exif, 0x829A, 1, 60);
    EXPECT_FLOAT_EQ(decodeTiff(shutterFirst).info.exposureTime, 1.0f / 60);
}

TEST(ExifBlock, FNumberWinsOverApertureWhereverItStands) {
    TiffBuilder apertureOnly;
    apertureOnly.addRational(0, 0x9202, 4, 1);
    EXPECT_FLOAT_EQ(decodeTiff(apertureOnly).info.apertureFNumber, 4.0f);

    TiffBuilder maxAperture;
    maxAperture.addRational(0, 0x9205, 3, 1);
    EXPECT_NEAR(decodeTiff(maxAperture).info.apertureFNumber, 2.8284f, 1e-4);

    TiffBuilder fnumberFirst;
    fnumberFirst.addRational(0, 0x829D, 28, 10);
    fnumberFirst.addRational(0, 0x9202, 4, 1);
    EXPECT_FLOAT_EQ(decodeTiff(fnumberFirst).info.apertureFNumber, 2.8f);

    TiffBuilder apertureFirst;
    const int exif = apertureFirst.addDirectory();
    apertureFirst.addRational(0, 0x9202, 4, 1);
    apertureFirst.link(0, kExifLink, exif);
    apertureFirst.addRational(exif, 0x829D, 28, 10);
    EXPECT_FLOAT_EQ(decodeTiff(apertureFirst).info.apertureFNumber, 2.8f);
}

TEST(ExifBlock, LowIsoValuesAreScaled) {
    const std::vector<std::pair<std::uint16_t, std::int32_t>> cases = {
        {1, 200}, {49, 9800}, {50, 50}, {0, 0}, {3200, 3200}};
    for (const auto& [stored, iso] : cases) {
        TiffBuilder t;
        t.addShort(0, 0x8827, stored);
        EXPECT_EQ(decodeTiff(t).info.isoEquivalent, iso) << stored;
    }
    TiffBuilder hostile;
    hostile.addSLong(0, 0x8827, -2000000000);
    EXPECT_EQ(decodeTiff(hostile).info.isoEquivalent, std::numeric_limits<std::int32_t>::min());
}

TEST(ExifBlock, FlashFiredOnlyWithALowBitSet) {
    const std::vector<std::pair<std::uint16_t, std::int32_t>> cases = {
        {0x10, 0}, {0x19, 1}, {0x00, 0}, {0x01, 1}, {0x04, 1}, {0x18, 0}, {0x4F, 1}};
    for (const auto& [stored, used] : cases) {
        TiffBuilder t;
        t.addShort(0, 0x9209, stored);
        EXPECT_EQ(decodeTiff(t).info.flashUsed, used) << stored;
    }
}

TEST(ExifBlock, OrientationOutsideOneToEightIsUndefined) {
    for (const std::uint16_t stored : {0, 9, 65535}) {
        TiffBuilder t;
        t.addShort(0, 0x0112, stored);
        t.addAscii(0, 0x010F, "After");
        const auto r = decodeTiff(t);
        EXPECT_TRUE(r.ok);
        EXPECT_TRUE(r.info.hasExif);
        EXPECT_EQ(r.info.orientation, 0) << stored;
        EXPECT_EQ(r.error, "Undefined rotation value");
        EXPECT_EQ(r.info.cameraMake, "After");
    }
    for (std::uint16_t stored = 1; stored <= 8; ++stored) {
        TiffBuilder t;
        t.addShort(0, 0x0112, stored);
        const auto r = decodeTiff(t);
        EXPECT_EQ(r.info.orientation, stored);
        EXPECT_EQ(r.error, "");
    }
}

TEST(ExifBlock, ResolutionUnitTable) {
    const std::vector<std::pair<std::uint16_t, float>> cases = {
        {1, 1.0f}, {2, 1.0f}, {3, 0.3937008f}, {4, 0.03937008f}, {5, 0.00003937008f}, {0, 0.0f},
        {6, 0.0f}};
    for (const auto& [code, inches] : cases) {
        TiffBuilder t;
        t.addShort(0, 0x0128, code);
        t.addShort(0, 0xA210, code);
        const auto r = decodeTiff(t);
        EXPECT_FLOAT_EQ(r.info.resolutionUnit, inches) << code;
        EXPECT_FLOAT_EQ(r.info.focalPlaneUnit, inches) << code;
    }
    TiffBuilder cm;
    cm.addRational(0, 0x011A, 2835, 100);
    cm.addShort(0, 0x0128, 3);
    const auto r = decodeTiff(cm);
    EXPECT_NEAR(r.info.xResolution / r.info.resolutionUnit, 72.0, 0.01);

    // An unknown code keeps the unit of an earlier directory.
    TiffBuilder keep;
    const int exif = keep.addDirectory();
    keep.addShort(0, 0x0128, 3);
    keep.link(0, kExifLink, exif);
    keep.addShort(exif, 0x0128, 9);
    EXPECT_FLOAT_EQ(decodeTiff(keep).info.resolutionUnit, 0.3937008f);
}

TEST(ExifBlock, SensorWidthFromTheLargerPixelDimension) {
    for (const bool portrait : {false, true}) {
        TiffBuilder t;
        t.addLong(0, 0xA002, portrait ? 2000 : 3000);
        t.addLong(0, 0xA003, portrait ? 3000 : 2000);
        t.addRational(0, 0xA20E, 2000, 1);
        t.addShort(0, 0xA210, 2);
        EXPECT_NEAR(decodeTiff(t).info.ccdWidth, 38.1f, 1e-4) << portrait;
    }
    TiffBuilder noResolution;
    noResolution.addLong(0, 0xA002, 3000);
    noResolution.addShort(0, 0xA210, 2);
    EXPECT_EQ(decodeTiff(noResolution).info.ccdWidth, 0.0f);
}

TEST(ExifBlock, TextLimitsAndTerminators) {
    TiffBuilder t;
    const int exif = t.addDirectory();
    t.addAscii(0, 0x010F, std::string(40, 'M'));
    t.addAscii(0, 0x0110, std::string(60, 'm'));
    t.link(0, kExifLink, exif);
    t.addAscii(exif, 0x9003, "2008:05:30 15:56:01 and more");
    t.addUndefined(exif, 0x9000, {'0', '2', '3', '0', '9'});
    const auto r = decodeTiff(t);
    EXPECT_EQ(r.info.cameraMake, std::string(31, 'M'));
    EXPECT_EQ(r.info.cameraModel, std::string(39, 'm'));
    EXPECT_EQ(r.info.dateTime, "2008:05:30 15:56:01");
    EXPECT_EQ(r.info.exifVersion, "0230");

    // The byte count and a zero byte end a text before the limit.
    TiffBuilder shortTexts;
    shortTexts.addEntry(0, 0x010F, 2, 3, {'N', 'i', 'k', 'o', 'n'});
    shortTexts.addEntry(0, 0x0110, 2, 8, {'D', '7', 0, 'X', 'Y', 'Z', 0, 0});
    shortTexts.addEntry(0, 0x9003, 0, 20, {});  // format 0: no bytes at all
    const auto s = decodeTiff(shortTexts);
    EXPECT_TRUE(s.info.hasExif);
    EXPECT_EQ(s.info.cameraMake, "Nik");
    EXPECT_EQ(s.info.cameraModel, "D7");
    EXPECT_EQ(s.info.dateTime, "");
}

TEST(ExifBlock, UserCommentRules) {
    struct Case {
        const char* name;
        Bytes value;
        std::string comment;
    };
    const std::vector<Case> cases = {
        {"ascii code", {'A', 'S', 'C', 'I', 'I', 0, 0, 0, 'H', 'e', 'l', 'l', 'o', ' ', ' ', ' '},
         "Hello"},
        {"zero code", {0, 0, 0, 0, 0, 0, 0, 0, 'T', 'e', 'x', 't'}, ""},
        {"other code copied from the start", {'U', 'N', 'I', 'C', 'O', 'D', 'E', 0, 'x'}, "UNICODE"},
        {"text right after ASCII", {'A', 'S', 'C', 'I', 'I', 'N', 'o', 'w'}, "Now"},
        {"space padded code", {'A', 'S', 'C', 'I', 'I', ' ', ' ', ' ', ' ', 'X', 'Y'}, "XY"},
        {"inner spaces kept", {'A', 'S', 'C', 'I', 'I', 0, 0, 0, 'a', ' ', 'b', ' '}, "a b"},
        {"all spaces", {' ', ' ', ' ', ' ', ' ', ' '}, ""},
        {"short value", {'O', 'K'}, "OK"},
    };
    for (const Case& c : cases) {
        TiffBuilder t;
        t.addUndefined(0, 0x9286, c.value);
        const auto r = decodeTiff(t);
        EXPECT_TRUE(r.info.hasExif) << c.name;
        EXPECT_EQ(r.info.comment, c.comment) << c.name;
    }

    TiffBuilder longComment;
    longComment.addUndefined(0, 0x9286, Bytes(300, 'c'));
    EXPECT_EQ(decodeTiff(longComment).info.comment, std::string(199, 'c'));
}

TEST(ExifBlock, AsciiUserCommentWithoutTextKeepsTheComment) {
    TiffBuilder t;
    const int exif = t.addDirectory();
    t.addUndefined(0, 0x9286, {'F', 'i', 'r', 's', 't'});
    t.link(0, kExifLink, exif);
    t.addUndefined(exif, 0x9286, {'A', 'S', 'C', 'I', 'I', 0, ' ', 0, ' ', ' ', 'L', 'a', 't', 'e'});
    EXPECT_EQ(decodeTiff(t).info.comment, "First");
}

TEST(ExifBlock, NumberFormats) {
    struct Case {
        const char* name;
        std::uint16_t format;
        std::uint32_t components;
        Bytes value;  // little-endian
        float number;
    };
    const std::vector<Case> cases = {
        {"byte", 1, 1, {200}, 200},
        {"short", 3, 1, {0x34, 0x12}, 0x1234},
        {"long", 4, 1, {0x78, 0x56, 0x34, 0x12}, static_cast<float>(0x12345678)},
        {"rational signed", 5, 1, {0xFF, 0xFF, 0xFF, 0xFF, 2, 0, 0, 0}, -0.5f},
        {"rational over zero", 5, 1, {5, 0, 0, 0, 0, 0, 0, 0}, 0},
        {"sbyte", 6, 1, {0xFE}, -2},
        {"sshort", 8, 1, {0xFE, 0xFF}, -2},
        {"slong", 9, 1, {0xFE, 0xFF, 0xFF, 0xFF}, -2},
        {"srational", 10, 1, {0xFD, 0xFF, 0xFF, 0xFF, 2, 0, 0, 0}, -1.5f},
        {"first of two shorts", 3, 2, {5, 0, 9, 0}, 5},
        {"ascii", 2, 2, {'7', 0}, 0},
        {"undefined", 7, 1, {7}, 0},
        {"format zero", 0, 4, {1, 2, 3, 4}, 0},
    };
    for (const Case& c : cases) {
        TiffBuilder t;
        t.addEntry(0, 0x9204, c.format, c.components, c.value);
        EXPECT_FLOAT_EQ(decodeTiff(t).info.exposureBias, c.number) << c.name;
    }
}

TEST(ExifBlock, ValueWithoutComponentsIsAbsent) {
    // A value with no components has no bytes to read: the tag counts as
    // missing, and nothing beyond the entry is touched.
    TiffBuilder t;
    t.addEntry(0, 0x829A, 5, 0, {});
    t.addEntry(0, 0x9206, 12, 0, {});
    t.addEntry(0, 0x0112, 3, 0, {});
    t.addShort(0, 0x8827, 100);
    t.addEntry(0, 0x8827, 4, 0, {});
    const auto r = decodeTiff(t);
    EXPECT_TRUE(r.info.hasExif);
    EXPECT_EQ(r.info.exposureTime, 0.0f);
    EXPECT_EQ(r.info.focusDistance, 0.0f);
    EXPECT_EQ(r.info.orientation, 0);
    EXPECT_EQ(r.error, "");
    EXPECT_EQ(r.info.isoEquivalent, 100);
}

TEST(ExifBlock, DirectoryFailures) {
    struct Case {
        const char* name;
        TiffBuilder tiff;
        const char* message;
    };
    std::vector<Case> cases;
    {
        TiffBuilder t;
        t.addEntry(0, 0x010F, 13, 1, {'x'});
        cases.push_back({"format 13", t, "Illegal format code in EXIF dir"});
    }
    {
        TiffBuilder t;
        t.addEntryWithOffset(0, 0x010F, 2, 100, 0xFFFFFFF0u);
        cases.push_back({"offset wraps", t, "Illegal pointer offset value in EXIF."});
    }
    {
        TiffBuilder t;
        t.addEntryWithOffset(0, 0x010F, 4, 0xFFFFFFFFu, 8);
        cases.push_back({"huge count", t, "Illegal pointer offset value in EXIF."});
    }
    {
        TiffBuilder t;
        t.addEntryWithOffset(0, 0x829A, 12, 0x20000000u, 0);
        cases.push_back({"count times size overflows 32 bits", t,
                         "Illegal pointer offset value in EXIF."});
    }
    {
        TiffBuilder t;
        t.addLong(0, kExifLink, 0x7FFFFFFF);
        cases.push_back({"sub-directory outside", t, "Illegal subdirectory link"});
    }
    {
        TiffBuilder t;
        t.setNextOffset(0, 5000);
        cases.push_back({"next directory outside", t, "Illegal subdirectory link"});
    }
    for (Case& c : cases) {
        const auto r = decodeTiff(c.tiff);
        EXPECT_TRUE(r.ok) << c.name;
        EXPECT_FALSE(r.info.hasExif) << c.name;
        EXPECT_EQ(r.error, c.message) << c.name;
    }
    // A GPS link outside the block loses the fix alone, not the date.
    TiffBuilder gps;
    gps.addAscii(0, 0x0132, "2001:01:01 10:00:00");
    gps.addLong(0, kGpsLink, 0x7FFFFFFF);
    const auto r = decodeTiff(gps);
    EXPECT_TRUE(r.info.hasExif);
    EXPECT_EQ(r.info.dateTimeModified, "2001:01:01 10:00:00");
    EXPECT_FALSE(r.info.position.known);
}

TEST(ExifBlock, FieldsSetBeforeAFailureStay) {
    TiffBuilder t;
    t.addAscii(0, 0x010F, "Kept");
    t.addEntry(0, 0x0110, 99, 1, {'x'});
    t.addAscii(0, 0x9003, "2001:01:01 00:00:00");
    const auto r = decodeTiff(t);
    EXPECT_FALSE(r.info.hasExif);
    EXPECT_EQ(r.info.cameraMake, "Kept");
    EXPECT_EQ(r.info.dateTime, "");
}

TEST(ExifBlock, DirectoryCountBeyondTheBlock) {
    // Three bytes of directory after the header: too short for its own entries.
    Bytes block{'I', 'I', 42, 0, 8, 0, 0, 0, 0xFF, 0xFF, 0};
    const auto r = decodeBytes(JpegBuilder().exif(block).startOfScan().bytes());
    EXPECT_TRUE(r.ok);
    EXPECT_FALSE(r.info.hasExif);
    EXPECT_EQ(r.error, "Illegally sized directory");

    Bytes empty{'I', 'I', 42, 0, 8, 0, 0, 0};
    const auto e = decodeBytes(JpegBuilder().exif(empty).startOfScan().bytes());
    EXPECT_EQ(e.error, "Illegally sized directory");

    // No room for the next-directory word after the entries: no next directory.
    Bytes noLink{'I', 'I', 42, 0, 8, 0, 0, 0, 1, 0, 0x0F, 0x01, 2, 0, 2, 0, 0, 0, 'X', 0, 0, 0};
    const auto n = decodeBytes(JpegBuilder().exif(noLink).startOfScan().bytes());
    EXPECT_TRUE(n.info.hasExif);
    EXPECT_EQ(n.info.cameraMake, "X");
}

TEST(ExifBlock, FailureInALinkedDirectoryStaysThere) {
    TiffBuilder t;
    const int exif = t.addDirectory();
    t.link(0, kExifLink, exif);
    t.addAscii(0, 0x0110, "After the link");
    t.addAscii(exif, 0x010F, "Set before");
    t.addEntry(exif, 0x9003, 200, 1, {});
    t.addRational(exif, 0x829A, 1, 100);
    const auto r = decodeTiff(t);
    EXPECT_TRUE(r.ok);
    EXPECT_TRUE(r.info.hasExif);
    EXPECT_EQ(r.error, "Illegal format code in EXIF dir");
    EXPECT_EQ(r.info.cameraMake, "Set before");
    EXPECT_EQ(r.info.cameraModel, "After the link");
    EXPECT_EQ(r.info.exposureTime, 0.0f);

    TiffBuilder badInner;
    const int inner = badInner.addDirectory();
    badInner.link(0, kExifLink, inner);
    badInner.addLong(inner, kInteropLink, 0x10000);
    badInner.addAscii(inner, 0x010F, "Lost");
    const auto b = decodeTiff(badInner);
    EXPECT_TRUE(b.info.hasExif);
    EXPECT_EQ(b.error, "Illegal subdirectory link");
    EXPECT_EQ(b.info.cameraMake, "");
}

TEST(ExifBlock, CyclesEndWithoutFailing) {
    TiffBuilder self;
    self.addAscii(0, 0x010F, "Self");
    self.link(0, kExifLink, 0);
    self.link(0, kGpsLink, 0);
    self.setNext(0, 0);

    TiffBuilder mutual;
    const int b = mutual.addDirectory();
    mutual.link(0, kExifLink, b);
    mutual.addAscii(b, 0x010F, "Mutual");
    mutual.link(b, kInteropLink, 0);
    mutual.setNext(b, 0);

    TiffBuilder chain;  // a long chain of next links closing on itself
    std::vector<int> dirs{0};
    for (int i = 0; i < 200; ++i) {
        dirs.push_back(chain.addDirectory());
        chain.addShort(dirs.back(), 0x8827, static_cast<std::uint16_t>(100 + i));
        chain.setNext(dirs[dirs.size() - 2], dirs.back());
    }
    chain.addAscii(0, 0x010F, "Chain");
    chain.setNext(dirs.back(), 0);

    // The GPS link leads back to the EXIF directory, whose tags would read
    // as a fix if it were walked again as a GPS directory.
    TiffBuilder gpsBack;
    const int exif = gpsBack.addDirectory();
    gpsBack.addAscii(0, 0x010F, "Back");
    gpsBack.link(0, kExifLink, exif);
    gpsBack.link(0, kGpsLink, exif);
    gpsBack.addAscii(exif, 0x0001, "N");
    gpsBack.addEntry(exif, 0x0002, 5, 3, Bytes(24, 1));
    gpsBack.addAscii(exif, 0x0003, "E");
    gpsBack.addEntry(exif, 0x0004, 5, 3, Bytes(24, 1));

    for (const TiffBuilder* t : {&self, &mutual, &chain, &gpsBack}) {
        const auto r = decodeTiff(*t);
        EXPECT_TRUE(r.ok);
        EXPECT_TRUE(r.info.hasExif);
        EXPECT_EQ(r.error, "");
        EXPECT_FALSE(r.info.cameraMake.empty());
        EXPECT_FALSE(r.info.position.known);
    }
}

// A GPS directory of a sound fix with one entry put in another's place.
struct GpsEntry {
    std::uint16_t tag;
    std::uint16_t format;
    std::uint32_t count;
    std::vector<std::uint32_t> words;  // rationals as numerator, denominator
    std::string text;                  // ASCII and BYTE values
};

ExifInfo decodeGps(const std::vector<GpsEntry>& changes, bool bigEndian = false) {
    std::vector<GpsEntry> entries = {
        {0x0001, 2, 2, {}, "N"},
        {0x0002, 5, 3, {35, 1, 0, 1, 0, 1}, ""},
        {0x0003, 2, 2, {}, "E"},
        {0x0004, 5, 3, {135, 1, 30, 1, 0, 1}, ""},
        {0x0007, 5, 3, {23, 1, 59, 1, 5999, 100}, ""},
        {0x001D, 2, 11, {}, "2024:02:29"},
    };
    for (const GpsEntry& change : changes) {
        const auto same = std::find_if(entries.begin(), entries.end(), [&](const auto& e) { return e.tag == change.tag; });
        if (same != entries.end()) {
            *same = change;
        } else {
            entries.push_back(change);
        }
    }
    TiffBuilder t(bigEndian);
    const int gps = t.addDirectory();
    t.link(0, kGpsLink, gps);
    for (const GpsEntry& e : entries) {
        Bytes value(e.text.begin(), e.text.end());
        if (e.format == 2) {
            value.push_back(0);
        }
        for (const std::uint32_t word : e.words) {
            const Bytes bytes = t.u32(word);
            value.insert(value.end(), bytes.begin(), bytes.end());
        }
        t.addEntry(gps, e.tag, e.format, e.count, value);
    }
    return decodeTiff(t).info;
}

TEST(ExifBlock, GpsValuesOfAnotherKindGiveNoFix) {
    for (const bool bigEndian : {false, true}) {
        const ExifInfo sound = decodeGps({}, bigEndian);
        EXPECT_TRUE(sound.position.known);
        EXPECT_DOUBLE_EQ(sound.position.longitude, 135.5);
        EXPECT_EQ(sound.gpsDateTime, "2024:02:29 23:59:59");
    }
    struct Case {
        const char* name;
        GpsEntry change;
    };
    const std::vector<Case> noFix = {
        {"signed rationals", {0x0002, 10, 3, {35, 1, 0, 1, 0, 1}, ""}},
        {"two rationals", {0x0002, 5, 2, {35, 1, 0, 1}, ""}},
        {"zero denominator", {0x0004, 5, 3, {135, 0, 0, 1, 0, 1}, ""}},
        {"beyond the pole", {0x0002, 5, 3, {90, 1, 0, 1, 1, 1}, ""}},
        {"beyond the date line", {0x0004, 5, 3, {180, 1, 1, 1, 0, 1}, ""}},
        {"another letter", {0x0001, 2, 2, {}, "X"}},
        {"reference of a byte", {0x0003, 1, 1, {}, "E"}},
        {"reference of two letters", {0x0003, 2, 3, {}, "EW"}},
    };
    for (const Case& c : noFix) {
        EXPECT_FALSE(decodeGps({c.change}).position.known) << c.name;
    }
    // Numerators beyond 2^31 are unsigned, not negative: 30 degrees.
    const ExifInfo large = decodeGps({{0x0002, 5, 3, {3000000000u, 100000000u, 0, 1, 0, 1}, ""}});
    EXPECT_TRUE(large.position.known);
    EXPECT_DOUBLE_EQ(large.position.latitude, 30.0);

    const std::vector<Case> noTime = {
        {"hour 24", {0x0007, 5, 3, {24, 1, 0, 1, 0, 1}, ""}},
        {"61 seconds", {0x0007, 5, 3, {0, 1, 0, 1, 61, 1}, ""}},
        {"zero denominator", {0x0007, 5, 3, {12, 1, 0, 0, 0, 1}, ""}},
        {"not a leap year", {0x001D, 2, 11, {}, "2023:02:29"}},
        {"month 13", {0x001D, 2, 11, {}, "2024:13:01"}},
        {"dashes", {0x001D, 2, 11, {}, "2024-02-29"}},
        {"cut short", {0x001D, 2, 8, {}, "2024:02"}},
    };
    for (const Case& c : noTime) {
        const ExifInfo info = decodeGps({c.change});
        EXPECT_EQ(info.gpsDateTime, "") << c.name;
        EXPECT_TRUE(info.position.known) << c.name;
    }
    // A height whose reference is neither above (0) nor below (1) the sea.
    const ExifInfo height = decodeGps({{0x0005, 1, 1, {}, "\x02"}, {0x0006, 5, 1, {45, 1}, ""}});
    EXPECT_TRUE(height.position.known);
    EXPECT_FALSE(height.position.hasAltitude);
}

TEST(ExifBlock, ClockTextsAreKeptOnlyInTheirForm) {
    struct Case {
        const char* name;
        std::uint16_t format;
        std::string stored;  // the bytes, before the terminating zero
        std::string offset;
        std::string subSecond;
    };
    const std::vector<Case> cases = {
        {"as written", 2, "+05:45", "+05:45", ""},
        {"padded", 2, " -03:30  ", "-03:30", ""},
        {"fourteen hours", 2, "+14:00", "+14:00", ""},
        {"fifteen hours", 2, "+15:00", "", ""},
        {"sixty minutes", 2, "+09:60", "", ""},
        {"no colon", 2, "+0900", "", ""},
        {"no sign", 2, "09:00", "", ""},
        {"more after it", 2, "+09:00Z", "", ""},
        {"not ASCII", 7, "+09:00", "", ""},
        {"digits", 2, "0042", "", "0042"},
        {"padded digits", 2, "12 ", "", "12"},
        {"a letter", 2, "12a", "", ""},
        {"empty", 2, "", "", ""},
    };
    for (const Case& c : cases) {
        TiffBuilder t;
        Bytes value(c.stored.begin(), c.stored.end());
        value.push_back(0);
        for (const std::uint16_t tag : {0x9010, 0x9011, 0x9012, 0x9291}) {
            t.addEntry(0, tag, c.format, static_cast<std::uint32_t>(value.size()), value);
        }
        const ExifInfo info = decodeTiff(t).info;
        EXPECT_EQ(info.offsetTimeModified, c.offset) << c.name;
        EXPECT_EQ(info.offsetTimeOriginal, c.offset) << c.name;
        EXPECT_EQ(info.offsetTimeDigitized, c.offset) << c.name;
        EXPECT_EQ(info.subSecTimeOriginal, c.subSecond) << c.name;
    }
    TiffBuilder serial;
    serial.addAscii(0, 0xA431, "  " + std::string(100, 'S'));
    EXPECT_EQ(decodeTiff(serial).info.bodySerialNumber, std::string(63, 'S'));
}

TEST(ExifBlock, ThumbnailCopy) {
    TiffBuilder t;
    const int thumb = t.addDirectory();
    t.setNext(0, thumb);
    t.setThumbnail(thumb, Bytes(300, 0xAB));
    auto r = decodeTiff(t);
    EXPECT_EQ(r.info.thumbnail, Bytes(300, 0xAB));
    EXPECT_EQ(r.info.thumbnailSize, 300u);

    struct Case {
        const char* name;
        std::uint32_t offset;
        std::uint32_t size;
    };
    // The block here is 8 + 18 + 18 = 44 bytes before the data area.
    for (const Case& c : std::vector<Case>{{"beyond the block", 8, 5000},
                                           {"offset wraps", 0xFFFFFFF0u, 0x20},
                                           {"zero size", 8, 0},
                                           {"zero offset", 0, 4},
                                           {"negative size", 8, 0xFFFFFFFFu},
                                           {"negative offset", 0xFFFFFFF8u, 8}}) {
        TiffBuilder bad;
        bad.addLong(0, 0x0201, c.offset);
        bad.addLong(0, 0x0202, c.size);
        const auto b = decodeTiff(bad);
        EXPECT_TRUE(b.ok) << c.name;
        EXPECT_TRUE(b.info.hasExif) << c.name;
        EXPECT_TRUE(b.info.thumbnail.empty()) << c.name;
        EXPECT_EQ(b.info.thumbnailSize, 0u) << c.name;
    }

    // Offset and size must come from the same directory.
    TiffBuilder split;
    const int second = split.addDirectory();
    split.addLong(0, 0x0201, 8);
    split.setNext(0, second);
    split.addLong(second, 0x0202, 4);
    EXPECT_TRUE(decodeTiff(split).info.thumbnail.empty());

    // The whole block, up to its very last byte, may be copied.
    TiffBuilder whole;
    whole.addLong(0, 0x0201, 1);
    whole.addLong(0, 0x0202, 37);  // 8 + 2 + 24 + 4 = 38 bytes in all
    EXPECT_EQ(decodeTiff(whole).info.thumbnailSize, 37u);
}

TEST(ExifBlock, SecondExifSectionIsReadOverTheSameRecord) {
    TiffBuilder first;
    first.addAscii(0, 0x010F, "One");
    first.addShort(0, 0x9209, 1);
    first.addUndefined(0, 0x9286, {'F', 'i', 'r', 's', 't'});
    TiffBuilder second;
    second.addAscii(0, 0x0110, "Two");
    const auto r = decodeBytes(
        JpegBuilder().exif(first.build()).exif(second.build()).startOfScan().bytes());
    EXPECT_TRUE(r.info.hasExif);
    EXPECT_EQ(r.info.cameraMake, "One");
    EXPECT_EQ(r.info.cameraModel, "Two");
    EXPECT_EQ(r.info.flashUsed, 0);
    EXPECT_EQ(r.info.comment, "");

    TiffBuilder broken;
    broken.setMagic(7);
    const auto b = decodeBytes(
        JpegBuilder().exif(first.build()).exif(broken.build()).startOfScan().bytes());
    EXPECT_FALSE(b.info.hasExif);
    EXPECT_EQ(b.info.cameraMake, "One");
}

}  // namespace
}  // namespace dz::test
