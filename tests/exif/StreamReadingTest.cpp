#include "DecodeHelper.h"
#include "JpegBuilder.h"
#include "TempDir.h"
#include "exif/CExifReader.h"
#include "platform/ByteSource.h"
#include "platform/FileSystem.h"

#include <gtest/gtest.h>

namespace dz::test {
namespace {

// Bytes in memory that count how the decoder asks for them.
class CountingSource final : public ByteSource {
public:
    explicit CountingSource(const Bytes& bytes) : inner_(bytes.data(), bytes.size()) {}
    int readByte() override {
        ++byteReads;
        return inner_.readByte();
    }
    std::size_t read(std::uint8_t* out, std::size_t count) override {
        ++blockReads;
        return inner_.read(out, count);
    }
    std::size_t position() const { return inner_.position(); }

    int byteReads = 0;
    int blockReads = 0;

private:
    MemorySource inner_;
};

TEST(StreamReading, EachSectionBodyIsOneBlockRead) {
    TiffBuilder tiff;
    tiff.addAscii(0, 0x010F, "Maker");
    JpegBuilder jpeg;
    jpeg.app0().exif(tiff.build()).comment("c").frame(8, 8).startOfScan();
    ExifInfo info;
    CExifReader reader(info);
    CountingSource source(jpeg.bytes());
    ASSERT_TRUE(reader.Decode(source));
    EXPECT_EQ(source.blockReads, 5);
    // Start of image, then fill byte, marker and two length bytes per section.
    EXPECT_EQ(source.byteReads, 2 + 5 * 4);
    EXPECT_EQ(source.position(), jpeg.scanStart());
    EXPECT_EQ(info.cameraMake, "Maker");
}

TEST(StreamReading, CameraFileThroughTheFileSystem) {
    TempDir dir;
    const auto path = dir.write("DCIM/IMG_0001.JPG", readTestData("canon-40d.jpg"));
    FileSystem fileSystem;
    auto file = fileSystem.openRead(path.string());
    ASSERT_NE(file, nullptr);
    ExifInfo info;
    CExifReader reader(info);
    ASSERT_TRUE(reader.Decode(*file));
    EXPECT_TRUE(info.hasExif);
    EXPECT_EQ(info.dateTime, "2008:05:30 15:56:01");
    EXPECT_EQ(info.thumbnailSize, 1378u);
    // The stream stands right after the start-of-scan section (5976 bytes).
    EXPECT_EQ(file->readByte(), static_cast<std::uint8_t>(readTestData("canon-40d.jpg")[5976]));
}

TEST(StreamReading, OneDecoderForManyFilesAsTheScanUsesIt) {
    CExifReader reader;
    const char* names[] = {"canon-40d.jpg", "no-exif.jpg", "fujifilm-e500-big-endian.jpg",
                           "orientation-6-big-endian.jpg"};
    for (const char* name : names) {
        ExifInfo info;
        reader.setTarget(info);
        const std::string bytes = readTestData(name);
        MemorySource source(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
        const bool ok = reader.Decode(source);
        reader.Reset();

        const auto fresh = decodeBytes(bytes);
        EXPECT_EQ(ok, fresh.ok) << name;
        EXPECT_EQ(info.hasExif, fresh.info.hasExif) << name;
        EXPECT_EQ(info.cameraModel, fresh.info.cameraModel) << name;
        EXPECT_EQ(info.ccdWidth, fresh.info.ccdWidth) << name;
        EXPECT_EQ(info.thumbnail, fresh.info.thumbnail) << name;
        EXPECT_EQ(info.orientation, fresh.info.orientation) << name;
    }
}

}  // namespace
}  // namespace dz::test
