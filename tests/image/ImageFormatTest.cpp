#include "image/ImageFormat.h"

#include <gtest/gtest.h>

#include <string>

namespace dz {
namespace {

struct MagicCase {
    std::string bytes;
    ImageFormat expected;
};

class DetectImageFormat : public testing::TestWithParam<MagicCase> {};

TEST_P(DetectImageFormat, ReadsTheFormatFromTheFirstBytes) {
    const MagicCase& c = GetParam();
    EXPECT_EQ(detectImageFormat(reinterpret_cast<const std::uint8_t*>(c.bytes.data()), c.bytes.size()), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Magic, DetectImageFormat,
    testing::Values(MagicCase{std::string("\xFF\xD8\xFF\xE1", 4), ImageFormat::Jpeg},
                    MagicCase{std::string("\xFF\xD8", 2), ImageFormat::Jpeg},
                    MagicCase{std::string("\x89PNG\r\n\x1A\n\0\0", 10), ImageFormat::Png},
                    MagicCase{std::string("\x89PNG\r\n", 6), ImageFormat::Unknown},
                    MagicCase{std::string("II*\0\x08\0\0\0", 8), ImageFormat::Tiff},
                    MagicCase{std::string("MM\0*\0\0\0\x08", 8), ImageFormat::Tiff},
                    MagicCase{std::string("II\0*", 4), ImageFormat::Unknown},
                    MagicCase{std::string("BM\x36\0", 4), ImageFormat::Bmp},
                    MagicCase{std::string("B", 1), ImageFormat::Unknown},
                    MagicCase{std::string("\xFF", 1), ImageFormat::Unknown},
                    MagicCase{std::string("GIF89a", 6), ImageFormat::Unknown},
                    MagicCase{std::string(), ImageFormat::Unknown}));

TEST(DetectImageFormat, NullDataIsUnknown) {
    EXPECT_EQ(detectImageFormat(nullptr, 10), ImageFormat::Unknown);
}

TEST(DetectImageFormat, KeepsTheProgramsFormatNumbers) {
    EXPECT_EQ(static_cast<int>(ImageFormat::Detect), 0);
    EXPECT_EQ(static_cast<int>(ImageFormat::Bmp), 1);
    EXPECT_EQ(static_cast<int>(ImageFormat::Jpeg), 3);
}

}  // namespace
}  // namespace dz
