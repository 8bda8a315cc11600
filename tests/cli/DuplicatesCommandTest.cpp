#include "DuplicatesCommand.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <sstream>

namespace dz::test {
namespace {

struct Output {
    int status = 0;
    std::string out;
    std::string err;
};

Output run(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    Output o;
    o.status = DuplicatesCommand(out, err).run(args);
    o.out = out.str();
    o.err = err.str();
    return o;
}

TEST(DuplicatesCommandTest, ByteIdenticalPicturesMakeOneGroupHeadedByTheFirstInWalkOrder) {
    TempDir photos;
    const std::string canon = readTestData("canon-40d.jpg");
    // Folders below are walked before the files of their parent.
    const std::string a = photos.write("trip/b.jpg", canon).string();
    const std::string b = photos.write("trip/c.jpg", canon).string();
    const std::string c = photos.write("a.jpg", canon).string();
    photos.write("other.jpg", readTestData("nikon-640x480-exif-thumbnail-160x120.jpg"));

    const Output o = run({photos.str()});

    EXPECT_EQ(o.status, DuplicatesCommand::kDone);
    EXPECT_EQ(o.out, "### Duplicate nr.1 ###\n" + a + "\n" + b + "\n" + c + "\nPictures 4, duplicates 2, groups 1\n");
    EXPECT_EQ(o.err, "");
}

TEST(DuplicatesCommandTest, SeveralPathsMakeOneCatalogue) {
    TempDir first;
    TempDir second;
    const std::string canon = readTestData("canon-40d.jpg");
    const std::string a = first.write("x.jpg", canon).string();
    const std::string b = second.write("y.jpg", canon).string();
    const Output o = run({first.str(), b});
    EXPECT_EQ(o.status, DuplicatesCommand::kDone);
    EXPECT_EQ(o.out, "### Duplicate nr.1 ###\n" + a + "\n" + b + "\nPictures 2, duplicates 1, groups 1\n");
}

TEST(DuplicatesCommandTest, NoDuplicatesAndUnreadablePaths) {
    TempDir photos;
    photos.write("a.jpg", readTestData("canon-40d.jpg"));
    photos.write("b.jpg", readTestData("nikon-640x480-exif-thumbnail-160x120.jpg"));
    Output o = run({photos.str()});
    EXPECT_EQ(o.status, DuplicatesCommand::kDone);
    EXPECT_EQ(o.out, "Pictures 2, duplicates 0, groups 0\n");

    o = run({photos.str(), photos.str() + "/missing"});
    EXPECT_EQ(o.status, DuplicatesCommand::kIncomplete);
    EXPECT_NE(o.err.find("cannot read " + photos.str() + "/missing"), std::string::npos) << o.err;
}

TEST(DuplicatesCommandTest, TheSimilarModeListsEachMembersDistance) {
    TempDir photos;
    const std::string nikon = readTestData("nikon-640x480-exif-thumbnail-160x120.jpg");
    const std::string a = photos.write("a.jpg", nikon).string();
    const std::string b = photos.write("b.jpg", nikon).string();
    photos.write("c.jpg", readTestData("nikon-640x480-second-shot.jpg"));
    for (const char* option : {"--similar", "--similar=0.002"}) {
        const Output o = run({option, photos.str()});
        EXPECT_EQ(o.status, DuplicatesCommand::kDone) << option;
        EXPECT_EQ(o.out, "### Duplicate nr.1 ###\n" + a + "\n" + b +
                             "   (distance 0.000000)\nPictures 3, duplicates 1, groups 1\n")
            << option;
    }
}

TEST(DuplicatesCommandTest, UsageErrors) {
    EXPECT_EQ(run({}).status, DuplicatesCommand::kUsageError);
    const Output o = run({"--fast", "x"});
    EXPECT_EQ(o.status, DuplicatesCommand::kUsageError);
    EXPECT_NE(o.err.find("unknown option --fast"), std::string::npos);
    for (const char* threshold : {"--similar=0", "--similar=-1", "--similar=x", "--similar=", "--similar=nan"}) {
        const Output bad = run({threshold, "x"});
        EXPECT_EQ(bad.status, DuplicatesCommand::kUsageError) << threshold;
        EXPECT_NE(bad.err.find("--similar takes a distance above 0"), std::string::npos) << threshold;
    }
}

}  // namespace
}  // namespace dz::test
