// Where and when a picture was taken: its GPS directory and the clock texts
// of its EXIF directory, in pictures tagged by exiftool while the test runs.
// exiftool is the oracle: every expected value is what `exiftool -n` reads
// off the same file.
#include "DecodeHelper.h"
#include "JpegBuilder.h"

#include "MediaFiles.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace dz::test {
namespace {

// exiftool's composite values are signed by their references and left out
// when one is missing; a zero denominator reads as "" or "inf".
const std::vector<std::string> kOracleTags = {"-Composite:GPSLatitude", "-Composite:GPSLongitude",
                                              "-Composite:GPSAltitude", "-Composite:GPSDateTime",
                                              "-OffsetTimeOriginal",    "-OffsetTimeDigitized",
                                              "-OffsetTime",            "-SubSecTimeOriginal",
                                              "-ExifIFD:SerialNumber"};

// A number exiftool printed, or nothing for "", "-" or "inf".
std::optional<double> numberOf(const std::string& text) {
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::string trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string{} : text.substr(first, text.find_last_not_of(' ') - first + 1);
}

struct Tagging {
    const char* name;
    const char* picture;  // under tests/data
    const char* args;     // exiftool's writing arguments
};

const Tagging kTaggings[] = {
    {"north and east, every field", "canon-40d.jpg",
     "-GPSLatitude=35.0116 -GPSLatitudeRef=N -GPSLongitude=135.7681 -GPSLongitudeRef=E -GPSAltitude=45 "
     "'-GPSAltitudeRef#=0' -GPSDateStamp=2024:07:05 -GPSTimeStamp=23:59:59.9 -OffsetTimeOriginal=+09:00 "
     "-SubSecTimeOriginal=123 -ExifIFD:SerialNumber=123456"},
    {"south and west below the sea, big-endian", "fujifilm-e500-big-endian.jpg",
     "-GPSLatitude=33.8688 -GPSLatitudeRef=S -GPSLongitude=70.5 -GPSLongitudeRef=W -GPSAltitude=12.5 "
     "'-GPSAltitudeRef#=1' -GPSTimeStamp=12:00:00 -OffsetTimeOriginal=+05:45 -OffsetTimeDigitized=+14:00 "
     "-OffsetTime=-03:30 '-ExifIFD:SerialNumber= AB12 '"},
    {"no longitude reference", "canon-40d.jpg",
     "-GPSLatitude=35.0116 -GPSLatitudeRef=N -GPSLongitude=135.7681 -GPSDateStamp=2024:07:05"},
    {"height without its reference", "fujifilm-e500-big-endian.jpg",
     "-GPSLatitude=35 -GPSLatitudeRef=N -GPSLongitude=0.5 -GPSLongitudeRef=W -GPSAltitude=100"},
};

// A GPS directory whose latitude has 0/0 seconds, in a JPEG made by hand.
std::string zeroDenominatorPicture() {
    TiffBuilder t;
    const int gps = t.addDirectory();
    t.link(0, 0x8825, gps);
    const auto rationals = [&](std::initializer_list<std::uint32_t> numbers) {
        Bytes value;
        for (const std::uint32_t n : numbers) {
            const Bytes word = t.u32(n);
            value.insert(value.end(), word.begin(), word.end());
        }
        return value;
    };
    t.addAscii(gps, 0x0001, "N");
    t.addEntry(gps, 0x0002, 5, 3, rationals({35, 1, 0, 1, 0, 0}));
    t.addAscii(gps, 0x0003, "E");
    t.addEntry(gps, 0x0004, 5, 3, rationals({135, 1, 0, 1, 0, 1}));
    const Bytes bytes = JpegBuilder().exif(t.build()).frame(8, 8).startOfScan().bytes();
    return std::string(bytes.begin(), bytes.end());
}

TEST(WhereAndWhen, TaggedPicturesReadAsExiftoolReadsThem) {
    TempDir dir;
    std::vector<std::pair<std::string, std::string>> pictures;  // name, path
    for (const Tagging& t : kTaggings) {
        const std::string path = dir.write(std::string(t.name) + ".jpg", readTestData(t.picture)).string();
        ASSERT_TRUE(runExiftool(t.args, path)) << t.name;
        pictures.emplace_back(t.name, path);
    }
    pictures.emplace_back("zero denominator", dir.write("zero.jpg", zeroDenominatorPicture()).string());

    for (const auto& [name, path] : pictures) {
        const std::vector<std::string> oracle = exiftoolValues(kOracleTags, path);
        const auto r = decodeBytes(fileContents(path));
        ASSERT_TRUE(r.ok) << name;
        const ExifInfo& i = r.info;
        const auto latitude = numberOf(oracle[0]);
        const auto longitude = numberOf(oracle[1]);
        const auto altitude = numberOf(oracle[2]);
        ASSERT_EQ(i.position.known, latitude && longitude) << name;
        if (i.position.known) {
            EXPECT_NEAR(i.position.latitude, *latitude, 1e-9) << name;
            EXPECT_NEAR(i.position.longitude, *longitude, 1e-9) << name;
            ASSERT_EQ(i.position.hasAltitude, altitude.has_value()) << name;
            EXPECT_NEAR(i.position.altitude, altitude.value_or(0), 1e-9) << name;
        }
        // exiftool adds the fraction of the second and a "Z".
        EXPECT_EQ(i.gpsDateTime, oracle[3].substr(0, 19)) << name;
        EXPECT_EQ(i.offsetTimeOriginal, oracle[4]) << name;
        EXPECT_EQ(i.offsetTimeDigitized, oracle[5]) << name;
        EXPECT_EQ(i.offsetTimeModified, oracle[6]) << name;
        EXPECT_EQ(i.subSecTimeOriginal, oracle[7]) << name;
        EXPECT_EQ(i.bodySerialNumber, trimmed(oracle[8])) << name;
    }
    // The south-west picture says what it was tagged to say.
    const auto southWest = decodeBytes(fileContents(pictures[1].second)).info.position;
    EXPECT_TRUE(southWest.latitude < 0 && southWest.longitude < 0 && southWest.altitude < 0);
}

}  // namespace
}  // namespace dz::test
