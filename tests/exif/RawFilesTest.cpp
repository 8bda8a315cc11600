// TIFF-based raw files decoded from their first byte. The expected values
// were read off the sample files with exiftool 12.57 (Debian's
// libimage-exiftool-perl): `exiftool -Make -Model -DateTimeOriginal -ISO
// -FNumber -ExposureTime -FocalLength -ThumbnailOffset -ThumbnailLength
// -PreviewImageStart -PreviewImageLength FILE`. Most previews are stripped
// to the 28-byte text "<Dummy thumbnail image data>", which no JPEG reader
// takes; the RW2's embedded JPEG (`exiftool -b -JpgFromRaw`) is a whole
// 8 x 8 JPEG of 10785 bytes.
#include "exif/CExifReader.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>

namespace dz {
namespace {

struct RawSample {
    const char* file;
    const char* make;
    const char* model;
    const char* dateTime;
    int iso;
    float fNumber;
    float exposureTime;
    float focalLength;
    std::uint32_t thumbnailSize;  // of the largest preview with a frame and scan data
};

struct Decoded {
    bool ok = false;
    ExifInfo info;
    std::string error;
};

Decoded decodeRaw(const std::string& bytes) {
    Decoded d;
    CExifReader reader(d.info);
    d.ok = reader.DecodeTiff(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    d.error = reader.lastError();
    return d;
}

class RawFamilyTest : public ::testing::TestWithParam<RawSample> {};

TEST_P(RawFamilyTest, DateCameraAndExposureAsExiftoolReadsThem) {
    const RawSample& s = GetParam();
    const Decoded d = decodeRaw(test::readTestData(s.file));
    ASSERT_TRUE(d.ok) << d.error;
    EXPECT_TRUE(d.info.hasExif);
    EXPECT_EQ(d.info.cameraMake, s.make);
    EXPECT_EQ(d.info.cameraModel, s.model);
    EXPECT_EQ(d.info.dateTime, s.dateTime);
    EXPECT_EQ(d.info.isoEquivalent, s.iso);
    EXPECT_NEAR(d.info.apertureFNumber, s.fNumber, 0.01);
    EXPECT_NEAR(d.info.exposureTime, s.exposureTime, 1e-4);
    EXPECT_NEAR(d.info.focalLength, s.focalLength, 0.01);
    EXPECT_EQ(d.info.thumbnailSize, s.thumbnailSize);
    EXPECT_EQ(d.info.thumbnail.size(), s.thumbnailSize);
}

TEST_P(RawFamilyTest, CutShortGivesAClearMessageAndNoDate) {
    const std::string bytes = test::readTestData(GetParam().file);
    for (const std::size_t keep : {std::size_t{3}, std::size_t{7}, std::size_t{100}}) {
        const Decoded d = decodeRaw(bytes.substr(0, keep));
        EXPECT_FALSE(d.ok) << keep;
        EXPECT_FALSE(d.error.empty()) << keep;
        EXPECT_TRUE(d.info.dateTime.empty()) << keep;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Samples, RawFamilyTest,
    ::testing::Values(
        RawSample{"CanonRaw.cr2", "Canon", "Canon EOS 350D DIGITAL", "2005:08:03 18:59:18", 400, 8.0f, 1.0f / 15, 55.0f, 0},
        RawSample{"Nikon.nef", "NIKON CORPORATION", "NIKON D70", "2004:06:09 16:02:35", 200, 3.5f, 1.0f / 20, 18.0f, 0},
        RawSample{"DNG.dng", "Canon", "Canon EOS 350D DIGITAL", "2005:08:03 18:59:18", 400, 8.0f, 1.0f / 15, 55.0f, 0},
        // RW2: magic 0x55, the EXIF block inside the embedded JPEG.
        RawSample{"Panasonic.rw2", "Panasonic", "DMC-LX3", "2008:08:06 15:21:56", 80, 4.0f, 1.0f / 250, 5.1f, 10785}),
    [](const ::testing::TestParamInfo<RawSample>& info) {
        std::string name = info.param.file;
        return name.substr(name.find('.') + 1);
    });

// Replaces the one LONG entry `tag` = `oldValue` with `newValue`.
void patchEntry(std::string& bytes, std::uint16_t tag, std::uint32_t oldValue, std::uint32_t newValue) {
    const auto entry = [&](std::uint32_t value) {
        std::string e(12, '\0');
        const unsigned char b[12] = {static_cast<unsigned char>(tag), static_cast<unsigned char>(tag >> 8), 4, 0, 1, 0,
                                     0, 0, static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
                                     static_cast<unsigned char>(value >> 16), static_cast<unsigned char>(value >> 24)};
        std::memcpy(e.data(), b, 12);
        return e;
    };
    const std::size_t at = bytes.find(entry(oldValue));
    ASSERT_NE(at, std::string::npos) << std::hex << tag;
    bytes.replace(at, 12, entry(newValue));
}

TEST(RawPreview, TheLargestEmbeddedJpegThatDecodesBecomesTheThumbnail) {
    // CR2: IFD1 thumbnail at 8620 (28 bytes), IFD0 preview strip at 8680 (26).
    std::string raw = test::readTestData("CanonRaw.cr2");
    const std::string jpeg = test::readTestData("canon-40d.jpg");
    // Larger than the real JPEG and well formed, but a lossless frame: the
    // sensor data a CR2 keeps as a JPEG strip, not a picture.
    std::string broken = jpeg + std::string(1000, '\0');
    const std::size_t frame = broken.rfind("\xFF\xC0");  // the picture's, after the EXIF thumbnail's
    ASSERT_NE(frame, std::string::npos);
    broken[frame + 1] = '\xC3';
    const auto jpegAt = static_cast<std::uint32_t>(raw.size());
    raw += jpeg;
    const auto brokenAt = static_cast<std::uint32_t>(raw.size());
    raw += broken;
    patchEntry(raw, 0x0201, 8620, jpegAt);
    patchEntry(raw, 0x0202, 28, static_cast<std::uint32_t>(jpeg.size()));
    patchEntry(raw, 0x0111, 8680, brokenAt);
    patchEntry(raw, 0x0117, 26, static_cast<std::uint32_t>(broken.size()));

    const Decoded d = decodeRaw(raw);
    ASSERT_TRUE(d.ok) << d.error;
    EXPECT_EQ(std::string(d.info.thumbnail.begin(), d.info.thumbnail.end()), jpeg);
    EXPECT_EQ(d.info.thumbnailSize, jpeg.size());
    // exiftool: canon-40d.jpg is 100 x 68.
    EXPECT_EQ(d.info.width, 100);
    EXPECT_EQ(d.info.height, 68);
    EXPECT_EQ(d.info.dateTime, "2005:08:03 18:59:18");
}

TEST(RawPreview, APreviewBeyondTheFileIsLeftAndTheRestStillRead) {
    std::string raw = test::readTestData("CanonRaw.cr2");
    patchEntry(raw, 0x0201, 8620, 0xFFFFFFF0u);
    const Decoded d = decodeRaw(raw);
    EXPECT_TRUE(d.ok) << d.error;
    EXPECT_EQ(d.info.thumbnailSize, 0u);
    EXPECT_EQ(d.info.cameraModel, "Canon EOS 350D DIGITAL");
}

TEST(RawPreview, PreviewNumbersThatAreNoNumbersAreLeft) {
    // "II", 42, IFD0 at 8 with StripOffsets and StripByteCounts as DOUBLEs:
    // a NaN and 1e300, neither of which fits an offset.
    std::string raw("II*\0\x08\0\0\0\x02\0", 10);
    const auto entry = [&](std::uint16_t tag, std::uint32_t at) {
        const unsigned char e[12] = {static_cast<unsigned char>(tag), static_cast<unsigned char>(tag >> 8), 12, 0, 1, 0, 0, 0,
                                     static_cast<unsigned char>(at), 0, 0, 0};
        raw.append(reinterpret_cast<const char*>(e), 12);
    };
    entry(0x0111, 38);
    entry(0x0117, 46);
    raw.append(4, '\0');  // no next IFD
    const double values[2] = {std::numeric_limits<double>::quiet_NaN(), 1e300};
    raw.append(reinterpret_cast<const char*>(values), sizeof values);  // little-endian, as the test machines are

    const Decoded d = decodeRaw(raw);
    EXPECT_TRUE(d.ok) << d.error;
    EXPECT_EQ(d.info.thumbnailSize, 0u);
}

TEST(RawHeader, OnlyTheTiffAndRawMakersMagicNumbersAreTaken) {
    std::string raw = test::readTestData("Nikon.nef");  // "II", 42
    for (const auto& [magic, taken] : {std::pair{0x002A, true}, std::pair{0x0055, true}, std::pair{0x4F52, true},
                                       std::pair{0x5352, true}, std::pair{0x002B, false}}) {
        raw[2] = static_cast<char>(magic & 0xFF);
        raw[3] = static_cast<char>(magic >> 8);
        const Decoded d = decodeRaw(raw);
        EXPECT_EQ(d.ok, taken) << std::hex << magic;
        EXPECT_EQ(d.info.cameraModel.empty(), !taken) << std::hex << magic;
        if (!taken) {
            EXPECT_EQ(d.error, "Invalid raw file start");
        }
    }
}

}  // namespace
}  // namespace dz
