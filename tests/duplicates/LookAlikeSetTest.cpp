#include "DuplicatesFixture.h"
#include "LookAlikeSet.h"

#include "duplicates/ComparePass.h"
#include "duplicates/DuplicateSearch.h"

#include <gtest/gtest.h>

#include <map>

namespace dz::test {
namespace {

// Real camera pictures with their re-encodes, resizes and copies without
// the thumbnail, and crops and inversions that keep the old thumbnail,
// beside bracketed exposures; one original has no thumbnail at all.
class LookAlikeSetTest : public DuplicatesFixture {
protected:
    void SetUp() override {
        set = makeLookAlikeSet({{dataPath("nikon-640x480-exif-thumbnail-160x120.jpg"), false},
                                {dataPath("nikon-640x480-second-shot.jpg"), false},
                                {dataPath("nikon-640x480-third-shot.jpg"), true}},
                               folder.str());
        ASSERT_EQ(set.error, "");
        catalogue = scan();
        ASSERT_EQ(catalogue.size(), set.pictures.size());
    }

    static std::string dataPath(const char* name) { return std::string(DZ_TEST_DATA) + "/" + name; }

    std::map<std::string, LookAlikeScore> search(double threshold) {
        const DuplicateSearchResult result = findDuplicates(catalogue, threshold);
        std::map<std::string, int> groupOf;
        for (std::size_t g = 0; g < result.comparison.groups.size(); ++g) {
            const DuplicateGroup& group = result.comparison.groups[g];
            groupOf[catalogue[group.head].path] = static_cast<int>(g);
            for (const std::size_t m : group.members) {
                groupOf[catalogue[m].path] = static_cast<int>(g);
            }
        }
        std::map<std::string, LookAlikeScore> byKind;
        for (const LookAlikeScore& score : scoreLookAlikes(set, [&](const std::string& path) {
                 const auto it = groupOf.find(path);
                 return it == groupOf.end() ? -1 : it->second;
             })) {
            byKind[score.kind] = score;
        }
        return byKind;
    }

    LookAlikeSet set;
    std::vector<PictureRecord> catalogue;
};

TEST_F(LookAlikeSetTest, TheExactModeGroupsOnlyWhatIsTheSamePicture) {
    for (const auto& [kind, score] : search(0.0)) {
        EXPECT_EQ(score.wrong, 0) << kind;
    }
    // The re-encodes keep the thumbnail, so they share its signature; the
    // pixels confirm them for the two originals that have a thumbnail.
    const auto scores = search(0.0);
    EXPECT_EQ(scores.at("re-encode q50").found, 2);
    EXPECT_EQ(scores.at("resize 1/2").found, 0) << "another size is not the same picture";
}

TEST_F(LookAlikeSetTest, TheSimilarModeFindsEveryCopyAndNoLookAlike) {
    for (const auto& [kind, score] : search(kDefaultSimilarThreshold)) {
        EXPECT_EQ(score.wrong, 0) << kind;
        if (score.sameImage) {
            EXPECT_EQ(score.found, score.pictures) << kind;
        }
    }
}

}  // namespace
}  // namespace dz::test
