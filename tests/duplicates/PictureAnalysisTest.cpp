#include "DuplicatesFixture.h"

#include "duplicates/AnalysisPass.h"
#include "duplicates/PictureAnalysis.h"
#include "duplicates/SignatureDistance.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <numeric>

namespace dz::test {
namespace {

using PictureAnalysisTest = DuplicatesFixture;

Signature signatureOfBytes(const std::uint8_t* data, std::size_t size) {
    CRaster image;
    DecodeOptions options;
    options.wantedWidth = kSignatureSide;
    options.wantedHeight = kSignatureSide;
    EXPECT_TRUE(image.decodeMemory(data, size, ImageFormat::Detect, options));
    Signature s{};
    EXPECT_TRUE(signatureOfImage(image, s));
    return s;
}

Signature signatureOfFile(const std::string& bytes) {
    return signatureOfBytes(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

void expectShares(const Signature& s) {
    for (double share : s) {
        EXPECT_GE(share, 0.0);
    }
    EXPECT_NEAR(std::accumulate(s.begin(), s.end(), 0.0), 1.0, 1e-12);
    EXPECT_GT(s[0], 0.0);
}

TEST_F(PictureAnalysisTest, PrefersTheEmbeddedThumbnailAndFallsBackToTheFile) {
    write("a-canon.jpg", readTestData("canon-40d.jpg"));
    write("b-fuji.jpg", readTestData("fujifilm-e500-big-endian.jpg"));
    std::vector<PictureRecord> pictures = scan();
    ASSERT_EQ(pictures.size(), 2u);
    PictureRecord& canon = pictures[0];
    PictureRecord& fuji = pictures[1];
    ASSERT_FALSE(canon.exif().thumbnail.empty());
    ASSERT_TRUE(fuji.exif().thumbnail.empty());

    analysePicture(canon);
    analysePicture(fuji);
    EXPECT_TRUE(isAnalysed(canon));
    EXPECT_TRUE(isAnalysed(fuji));
    expectShares(canon.block->signature);
    expectShares(fuji.block->signature);

    const auto& thumb = canon.exif().thumbnail;
    EXPECT_EQ(canon.block->signature, signatureOfBytes(thumb.data(), thumb.size()));
    EXPECT_NE(canon.block->signature, signatureOfFile(readTestData("canon-40d.jpg")))
        << "the thumbnail and the full picture should not give the same shares";
    EXPECT_EQ(fuji.block->signature, signatureOfFile(readTestData("fujifilm-e500-big-endian.jpg")));
}

TEST_F(PictureAnalysisTest, AThumbnailThatDoesNotDecodeLeavesThePictureToItsFile) {
    write("canon.jpg", readTestData("canon-40d.jpg"));
    std::vector<PictureRecord> pictures = scan();
    ASSERT_EQ(pictures.size(), 1u);
    auto& thumb = pictures[0].exif().thumbnail;
    std::fill(thumb.begin(), thumb.end(), std::uint8_t{0x55});

    analysePicture(pictures[0]);
    EXPECT_EQ(pictures[0].block->signature, signatureOfFile(readTestData("canon-40d.jpg")));
}

TEST_F(PictureAnalysisTest, ByteIdenticalFilesGiveIdenticalSignaturesWhateverTheirNames) {
    for (const char* name : {"one.jpg", "sub/two.jpg", "three copy.jpg"}) {
        write(name, readTestData("nikon-640x480-exif-thumbnail-160x120.jpg"));
    }
    write("other.jpg", readTestData("nikon-d70-comment-after-exif.jpg"));
    std::vector<PictureRecord> pictures = scan();
    ASSERT_EQ(pictures.size(), 4u);
    for (PictureRecord& p : pictures) {
        analysePicture(p);
    }
    // Sorted by path: one, other, sub/two, three copy.
    EXPECT_EQ(signatureDistance(pictures[0].block->signature, pictures[2].block->signature), 0.0);
    EXPECT_EQ(signatureDistance(pictures[0].block->signature, pictures[3].block->signature), 0.0);
    EXPECT_GT(signatureDistance(pictures[0].block->signature, pictures[1].block->signature), 0.0);
}

TEST_F(PictureAnalysisTest, APictureThatCannotBeDecodedKeepsItsSignature) {
    PictureRecord never = missing("gone.jpg");
    analysePicture(never);
    EXPECT_EQ(never.block->signature, Signature{});
    EXPECT_FALSE(isAnalysed(never));

    PictureRecord earlier = missing("gone-too.jpg");
    earlier.block->signature.fill(0.0625);
    earlier.block->signature[3] = 0.125;
    const Signature before = earlier.block->signature;
    analysePicture(earlier);
    EXPECT_EQ(earlier.block->signature, before);

    // Bytes that are no picture at all, under a name that says JPEG.
    write("junk.jpg", std::string(4096, 'x'));
    PictureRecord junk = missing("junk.jpg");
    analysePicture(junk);
    EXPECT_EQ(junk.block->signature, Signature{});
}

TEST(SignatureOfImage, ABlackPictureGetsEqualSharesInsteadOfNaNs) {
    CRaster black;
    ASSERT_TRUE(black.createBlank(100, 75, 24));
    Signature s{};
    ASSERT_TRUE(signatureOfImage(black, s));
    for (double share : s) {
        EXPECT_EQ(share, 1.0 / 16.0);
    }

    CRaster grey;
    ASSERT_TRUE(grey.createBlank(64, 64, 8));
    grey.fill(200);
    ASSERT_TRUE(signatureOfImage(grey, s));
    // An even picture has only its constant term.
    EXPECT_EQ(s[0], 1.0);
    EXPECT_EQ(std::accumulate(s.begin() + 1, s.end(), 0.0), 0.0);

    EXPECT_FALSE(signatureOfImage(CRaster{}, s));
}

TEST(SignatureDistanceTest, IsTheEuclideanDistance) {
    Signature a{};
    Signature b{};
    EXPECT_EQ(signatureDistance(a, b), 0.0);
    a[0] = 1.0;
    b[15] = 1.0;
    EXPECT_DOUBLE_EQ(signatureDistance(a, b), std::sqrt(2.0));
    b = a;
    b[7] = -0.0;
    EXPECT_EQ(signatureDistance(a, b), 0.0);
    b[7] = 0.75;
    EXPECT_DOUBLE_EQ(signatureDistance(a, b), 0.75);
}

TEST_F(PictureAnalysisTest, TheAnalysisPassSkipsAnalysedPicturesAndRetriesTheUndecodable) {
    write("a.jpg", readTestData("canon-40d.jpg"));
    write("b.jpg", readTestData("fujifilm-e500-big-endian.jpg"));
    write("c.jpg", readTestData("nikon-d70-comment-after-exif.jpg"));
    std::vector<PictureRecord> pictures = scan();
    ASSERT_EQ(pictures.size(), 3u);
    pictures.push_back(missing("d-gone.jpg"));

    AnalysisOutcome first = analyseCatalogue(pictures);
    EXPECT_EQ(first.visited, 4);
    EXPECT_EQ(first.attempted, 4);
    EXPECT_FALSE(first.stopped);
    std::vector<Signature> after;
    for (const PictureRecord& p : pictures) {
        after.push_back(p.block->signature);
    }

    // The files go: a pass that decoded anything again would now fail or change.
    for (const PictureRecord& p : pictures) {
        std::filesystem::remove(p.path);
    }
    AnalysisOutcome second = analyseCatalogue(pictures);
    EXPECT_EQ(second.visited, 4);
    EXPECT_EQ(second.attempted, 1) << "only the picture that never decoded is tried again";
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        EXPECT_EQ(pictures[i].block->signature, after[i]) << pictures[i].path;
    }
}

TEST_F(PictureAnalysisTest, TheAnalysisPassStopsWhereItsHookSaysSo) {
    std::vector<PictureRecord> pictures = {missing("a.jpg"), missing("b.jpg"), missing("c.jpg")};
    std::vector<int> before;
    std::vector<int> after;
    AnalysisHooks hooks;
    hooks.beforePicture = [&](int position) {
        before.push_back(position);
        return position < 3;
    };
    hooks.afterPicture = [&](int position) { after.push_back(position); };
    const AnalysisOutcome outcome = analyseCatalogue(pictures, hooks);
    EXPECT_TRUE(outcome.stopped);
    EXPECT_EQ(outcome.visited, 2);
    EXPECT_EQ(before, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(after, (std::vector<int>{1, 2}));
}

}  // namespace
}  // namespace dz::test
