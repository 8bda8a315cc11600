#include "DuplicatesFixture.h"
#include "LookAlikeSet.h"

#include "duplicates/ComparePass.h"
#include "duplicates/DuplicateSearch.h"

#include <gtest/gtest.h>

#include <map>

namespace dz::test {
namespace {

// Real camera and phone pictures with their re-encodes, resizes and copies
// without the thumbnail, and crops and inversions that keep the old
// thumbnail, beside bracketed exposures; one original has no thumbnail at
// all. The phone pictures are two makers' shots of one small thing on a white
// ground, nearly alike to each other.
class LookAlikeSetTest : public DuplicatesFixture {
protected:
    void SetUp() override {
        set = makeLookAlikeSet({{dataPath("nikon-640x480-exif-thumbnail-160x120.jpg"), false},
                                {dataPath("nikon-640x480-second-shot.jpg"), false},
                                {dataPath("nikon-640x480-third-shot.jpg"), true},
                                {dataPath("pixel5-1008x756.jpg"), false},
                                {dataPath("iphone11-1008x756.jpg"), false}},
                               folder.str());
        ASSERT_EQ(set.error, "");
        catalogue = scan();
        ASSERT_EQ(catalogue.size(), set.pictures.size());
    }

    static std::string dataPath(const char* name) { return std::string(DZ_TEST_DATA) + "/" + name; }

    // The group of each picture's path; -1 for none.
    std::map<std::string, int> groups(double threshold) {
        const DuplicateSearchResult result = findDuplicates(catalogue, threshold);
        std::map<std::string, int> groupOf;
        for (const PictureRecord& p : catalogue) {
            groupOf[p.path] = -1;
        }
        for (std::size_t g = 0; g < result.comparison.groups.size(); ++g) {
            const DuplicateGroup& group = result.comparison.groups[g];
            groupOf[catalogue[group.head].path] = static_cast<int>(g);
            for (const std::size_t m : group.members) {
                groupOf[catalogue[m].path] = static_cast<int>(g);
            }
        }
        return groupOf;
    }

    LookAlikeSet set;
    std::vector<PictureRecord> catalogue;
};

TEST_F(LookAlikeSetTest, TheExactModeGroupsOnlyWhatIsTheSamePicture) {
    std::map<std::string, LookAlikeScore> byKind;
    const std::map<std::string, int> groupOf = groups(0.0);
    for (const LookAlikeScore& score : scoreLookAlikes(set, [&](const std::string& path) { return groupOf.at(path); })) {
        EXPECT_EQ(score.wrong, 0) << score.kind;
        byKind[score.kind] = score;
    }
    // The re-encodes keep the thumbnail, so they share its signature; the
    // pixels confirm them for the two originals that have a thumbnail.
    EXPECT_EQ(byKind.at("re-encode q50").found, 2);
    EXPECT_EQ(byKind.at("resize 1/2").found, 0) << "another size is not the same picture";
}

// Each made picture of each original, a row of the table its kind gives:
// with its original when it is the same picture (the halved phone pictures
// among them), with no picture otherwise (their bracketed and inverted
// ones among those). Faults caught: a key on the spectrum signatures, which
// misses the quartered and 1600-wide copies of every original here; a key on
// the hash alone, which knows no brightness and leaves bracketed shots and
// crops within its reach; a look measured on a different grid for each
// decoded size, which puts resizes as far apart as crops.
TEST_F(LookAlikeSetTest, TheSimilarModeGroupsEachCopyWithItsOriginalAndNothingElse) {
    const std::map<std::string, int> groupOf = groups(kDefaultSimilarThreshold);
    for (const LookAlike& p : set.pictures) {
        if (p.kind < 0) {
            continue;
        }
        const LookAlikeKind& kind = lookAlikeKinds()[static_cast<std::size_t>(p.kind)];
        const int own = groupOf.at(p.path);
        const int original = groupOf.at(set.originals[static_cast<std::size_t>(p.original)]);
        if (kind.sameImage) {
            EXPECT_TRUE(own >= 0 && own == original) << p.path << " (" << kind.name << ") is not with its original";
        } else {
            EXPECT_EQ(own, -1) << p.path << " (" << kind.name << ") is grouped";
        }
    }
    for (std::size_t a = 0; a < set.originals.size(); ++a) {
        for (std::size_t b = a + 1; b < set.originals.size(); ++b) {
            const int one = groupOf.at(set.originals[a]);
            EXPECT_TRUE(one < 0 || one != groupOf.at(set.originals[b])) << set.originals[a] << " " << set.originals[b];
        }
    }
}

}  // namespace
}  // namespace dz::test
