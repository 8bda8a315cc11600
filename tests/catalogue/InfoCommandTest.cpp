#include "InfoCommand.h"

#include "JpegBuilder.h"
#include "TempDir.h"
#include "TinyJpeg.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace dz {
namespace {

using test::TempDir;

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        out.push_back(line);
    }
    return out;
}

bool has(const std::string& line, const std::string& part) {
    return line.find(part) != std::string::npos;
}

class InfoCommandTest : public ::testing::Test {
protected:
    int run(const std::vector<std::string>& args) {
        out.str("");
        err.str("");
        InfoCommand command(out, err);
        return command.run(args);
    }
    TempDir dir;
    std::ostringstream out;
    std::ostringstream err;
};

TEST_F(InfoCommandTest, PrintsOneLinePerCataloguedPictureOfTheWalk) {
    dir.write("sub/canon.jpg", test::readTestData("canon-40d.jpg"));
    dir.write("plain.jpg", test::readTestData("no-exif.jpg"));
    dir.write("odd.jpg", test::tinyExifJpeg("2004:05:06 12:34:56", "Cam\xE9\"ra"));
    ASSERT_EQ(run({dir.str()}), InfoCommand::kDone) << err.str();
    const auto printed = lines(out.str());
    ASSERT_EQ(printed.size(), 2u) << out.str();
    EXPECT_TRUE(has(printed[0], "{\"path\":\"" + dir.str() + "/sub/canon.jpg\",\"size\":7958,"));
    EXPECT_TRUE(has(printed[0], "\"cameraMake\":\"Canon\""));
    EXPECT_TRUE(has(printed[0], "\"dateTime\":\"2008:05:30 15:56:01\""));
    EXPECT_TRUE(has(printed[0], "\"apertureFNumber\":7.1,"));
    EXPECT_TRUE(has(printed[0], "\"hasExif\":true"));
    EXPECT_TRUE(has(printed[1], "\"cameraMake\":\"Cam\\u00e9\\\"ra\""));
    EXPECT_TRUE(err.str().empty()) << err.str();
}

TEST_F(InfoCommandTest, AllFormatsAddsRawFilesAndEachFilesFormat) {
    dir.write("canon.jpg", test::readTestData("canon-40d.jpg"));
    dir.write("shot.RW2", test::readTestData("Panasonic.rw2"));
    ASSERT_EQ(run({dir.str()}), InfoCommand::kDone) << err.str();
    ASSERT_EQ(lines(out.str()).size(), 1u) << out.str();
    EXPECT_FALSE(has(out.str(), "\"format\""));

    ASSERT_EQ(run({"--all-formats", dir.str()}), InfoCommand::kDone) << err.str();
    auto printed = lines(out.str());
    ASSERT_EQ(printed.size(), 2u) << out.str();
    std::sort(printed.begin(), printed.end());
    EXPECT_TRUE(has(printed[0], "\"format\":\"JPEG\"")) << printed[0];
    // exiftool 12.57: Panasonic DMC-LX3, 2008:08:06 15:21:56.
    EXPECT_TRUE(has(printed[1], "/shot.RW2\"")) << printed[1];
    EXPECT_TRUE(has(printed[1], "\"cameraModel\":\"DMC-LX3\",\"dateTime\":\"2008:08:06 15:21:56\""));
    EXPECT_TRUE(has(printed[1], "\"format\":\"RW2\"")) << printed[1];

    // A raw beside the JPEG of its shot is no line of its own.
    dir.write("canon.NEF", test::readTestData("Nikon.nef"));
    ASSERT_EQ(run({"--all-formats", dir.str()}), InfoCommand::kDone) << err.str();
    printed = lines(out.str());
    ASSERT_EQ(printed.size(), 2u) << out.str();
    std::sort(printed.begin(), printed.end());
    EXPECT_TRUE(has(printed[0], "\"travelling\":[\"" + dir.str() + "/canon.NEF\"],")) << printed[0];
}

TEST_F(InfoCommandTest, AllAddsThePassedOverFiles) {
    dir.write("plain.jpg", test::readTestData("no-exif.jpg"));
    dir.write("text.jpg", "hello");
    ASSERT_EQ(run({"--all", dir.str()}), InfoCommand::kDone);
    EXPECT_EQ(lines(out.str()),
              (std::vector<std::string>{
                  "{\"path\":\"" + dir.str() + "/plain.jpg\",\"passedOver\":true,\"reason\":\"no EXIF data\"}",
                  "{\"path\":\"" + dir.str() + "/text.jpg\",\"passedOver\":true,\"reason\":\"not a JPEG file\"}"}));
}

TEST_F(InfoCommandTest, EachLineDescribesItsOwnFileOnly) {
    test::TiffBuilder tiff;
    tiff.addAscii(0, 0x9003, "2004:05:06 12:34:56");
    tiff.setFirstDirectoryOffset(20);
    const test::Bytes broken = test::JpegBuilder().exif(tiff.build()).frame(8, 8).startOfScan().bytes();
    dir.write("a-broken.jpg", std::string(broken.begin(), broken.end()));
    dir.write("b-clean.jpg", test::tinyExifJpeg("2004:05:06 12:34:56"));
    dir.write("c-plain.jpg", test::readTestData("no-exif.jpg"));
    dir.write("d-broken.jpg", std::string(broken.begin(), broken.end()));
    ASSERT_EQ(run({"--all", dir.str()}), InfoCommand::kDone);
    const auto printed = lines(out.str());
    ASSERT_EQ(printed.size(), 4u) << out.str();
    const std::string brokenReason = "\",\"passedOver\":true,\"reason\":\"no EXIF data: Suspicious offset of first IFD value\"}";
    EXPECT_EQ(printed[0], "{\"path\":\"" + dir.str() + "/a-broken.jpg" + brokenReason);
    EXPECT_TRUE(has(printed[1], "/b-clean.jpg\",") && has(printed[1], ",\"lastError\":\"\",")) << printed[1];
    EXPECT_EQ(printed[2], "{\"path\":\"" + dir.str() + "/c-plain.jpg\",\"passedOver\":true,\"reason\":\"no EXIF data\"}");
    EXPECT_EQ(printed[3], "{\"path\":\"" + dir.str() + "/d-broken.jpg" + brokenReason);
}

TEST_F(InfoCommandTest, SingleFileIsReadAsOneEntry) {
    dir.write("one.txt", test::readTestData("canon-40d.jpg"));
    ASSERT_EQ(run({dir.str() + "/one.txt"}), InfoCommand::kDone);
    ASSERT_EQ(lines(out.str()).size(), 1u);
    EXPECT_TRUE(has(out.str(), "/one.txt\""));
}

TEST_F(InfoCommandTest, SingleFileOfNoKnownKindSaysWhyWithAllFormats) {
    dir.write("one.txt", test::readTestData("canon-40d.jpg"));
    ASSERT_EQ(run({"--all-formats", dir.str() + "/one.txt"}), InfoCommand::kDone);
    EXPECT_EQ(out.str(), "{\"path\":\"" + dir.str() +
                             "/one.txt\",\"passedOver\":true,\"reason\":\"not a picture or video of a kind the "
                             "program reads\"}\n");
}

TEST_F(InfoCommandTest, UnreadableEntryIsReportedSkippedAndFailsTheRun) {
    dir.makeDir("x.jpg");
    dir.write("z.jpg", test::readTestData("canon-40d.jpg"));
    EXPECT_EQ(run({dir.str()}), InfoCommand::kIncomplete);
    EXPECT_EQ(err.str(), "Error: Error while reading from drive [OK]\n");
    EXPECT_EQ(lines(out.str()).size(), 1u);
}

TEST_F(InfoCommandTest, ExitStatusForMissingPathsAndUsageErrors) {
    EXPECT_EQ(run({dir.str() + "/missing"}), InfoCommand::kIncomplete);
    EXPECT_TRUE(has(err.str(), "cannot read"));
    EXPECT_EQ(run({dir.str() + "/missing/deeper.jpg", dir.str()}), InfoCommand::kIncomplete);
    EXPECT_EQ(run({}), InfoCommand::kUsageError);
    EXPECT_TRUE(has(err.str(), "usage: dezoredu-cli info"));
    EXPECT_EQ(run({"--bogus", dir.str()}), InfoCommand::kUsageError);
    EXPECT_EQ(run({"--", dir.str()}), InfoCommand::kDone);
}

}  // namespace
}  // namespace dz
