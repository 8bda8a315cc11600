#include "PairwiseReference.h"

#include "duplicates/ComparePass.h"
#include "duplicates/SignatureMatcher.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

namespace dz::test {
namespace {

Signature oneShare(std::size_t k, double value) {
    Signature s{};
    s[k] = value;
    return s;
}

void expectSameAsPairwise(const std::vector<Signature>& signatures) {
    const CompareOutcome fast = compareSignatures(signatures);
    const CompareOutcome plain = comparePairwise(signatures);
    EXPECT_EQ(fast.duplicates, plain.duplicates);
    EXPECT_EQ(fast.marks, plain.marks);
    ASSERT_EQ(fast.groups.size(), plain.groups.size());
    for (std::size_t g = 0; g < plain.groups.size(); ++g) {
        EXPECT_EQ(fast.groups[g], plain.groups[g]) << "group " << g + 1;
    }
}

// Signatures as the analysis makes them: shares of a normalised sum, a few
// hundred distinct pictures copied many times, in random order.
std::vector<Signature> realisticSignatures(std::mt19937_64& random, std::size_t count, std::size_t distinct) {
    std::uniform_real_distribution<double> share(0.0, 1.0);
    std::vector<Signature> pool(distinct);
    for (Signature& s : pool) {
        double total = 0.0;
        for (double& v : s) {
            v = std::sqrt(std::floor(share(random) * 65280.0));
            total += v;
        }
        for (double& v : s) {
            v /= total;
        }
    }
    std::vector<Signature> signatures(count);
    std::uniform_int_distribution<std::size_t> pick(0, distinct - 1);
    for (Signature& s : signatures) {
        s = pool[pick(random)];
    }
    return signatures;
}

TEST(ComparePass, GivesThePairwiseGroupsOnRealisticData) {
    std::mt19937_64 random(20061);
    for (const std::size_t distinct : {1u, 7u, 300u, 3000u}) {
        SCOPED_TRACE(distinct);
        std::vector<Signature> signatures = realisticSignatures(random, 3000, distinct);
        // Never analysed pictures all compare equal.
        for (std::size_t i = 0; i < signatures.size(); i += 97) {
            signatures[i] = Signature{};
        }
        expectSameAsPairwise(signatures);
    }
}

// Shares no analysis makes but a session file may carry: signed zeros, NaN,
// infinities, the largest numbers, and shares so small that their squared
// difference rounds to 0 although they differ, so "distance 0" is no longer
// an equality and one picture can match two heads that do not match.
TEST(ComparePass, GivesThePairwiseGroupsOnAdversarialShares) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const std::vector<double> values = {0.0,    -0.0,    nan,      inf,      -inf,    1e-170, 2e-170, -1e-170,
                                        1e-162, 1e-160,  5e-324,   0x1p-100, std::nextafter(0x1p-100, 0.0),
                                        1.0,    DBL_MAX, -DBL_MAX, 0.25,     0.25 + DBL_EPSILON};
    std::mt19937_64 random(7);
    std::uniform_int_distribution<std::size_t> pickValue(0, values.size() - 1);
    std::uniform_int_distribution<std::size_t> pickShare(0, 2);
    std::uniform_int_distribution<int> howMany(0, 2);
    for (int round = 0; round < 20; ++round) {
        std::vector<Signature> pool(12);
        for (Signature& s : pool) {
            for (int n = howMany(random); n > 0; --n) {
                s[pickShare(random)] = values[pickValue(random)];
            }
        }
        std::vector<Signature> signatures(400);
        std::uniform_int_distribution<std::size_t> pick(0, pool.size() - 1);
        for (Signature& s : signatures) {
            s = pool[pick(random)];
        }
        expectSameAsPairwise(signatures);
    }
}

TEST(ComparePass, APictureCanMatchTwoHeadsThatDoNotMatchEachOther) {
    // 1.2e-162 squared rounds to 0; 2.4e-162 squared does not.
    const std::vector<Signature> signatures = {oneShare(0, 1.2e-162), oneShare(0, -1.2e-162), Signature{}};
    const CompareOutcome outcome = compareSignatures(signatures);
    ASSERT_EQ(outcome.groups.size(), 2u);
    EXPECT_EQ(outcome.groups[0], (DuplicateGroup{0, {2}}));
    EXPECT_EQ(outcome.groups[1], (DuplicateGroup{1, {2}}));
    EXPECT_EQ(outcome.duplicates, 2);
    expectSameAsPairwise(signatures);
}

TEST(ComparePass, SignedZerosAreEqualAndNaNsEqualNothing) {
    Signature nanShare = oneShare(4, std::numeric_limits<double>::quiet_NaN());
    const std::vector<Signature> signatures = {oneShare(3, 0.0), nanShare, oneShare(3, -0.0), nanShare};
    const CompareOutcome outcome = compareSignatures(signatures);
    ASSERT_EQ(outcome.groups.size(), 1u);
    EXPECT_EQ(outcome.groups[0], (DuplicateGroup{0, {2}}));
    EXPECT_EQ(SignatureMatcher(signatures).oddCount(), 2u);
}

TEST(ComparePass, HooksSeeEveryPictureAndEachGroupAsItIsFound) {
    const Signature a = oneShare(0, 0.5);
    const Signature b = oneShare(1, 0.5);
    const std::vector<Signature> signatures = {a, b, a, Signature{}, b, a, Signature{}};
    std::vector<int> positions;
    std::vector<std::pair<int, int>> groups;  // number, duplicates so far
    CompareHooks hooks;
    hooks.beforePicture = [&](int position) {
        positions.push_back(position);
        return true;
    };
    hooks.onGroup = [&](const DuplicateGroup&, int number, int duplicates) { groups.emplace_back(number, duplicates); };
    const CompareOutcome outcome = compareSignatures(signatures, hooks);
    EXPECT_EQ(positions, (std::vector<int>{1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(groups, (std::vector<std::pair<int, int>>{{1, 2}, {2, 3}, {3, 4}}));
    EXPECT_EQ(outcome.groups[0], (DuplicateGroup{0, {2, 5}}));
    EXPECT_EQ(outcome.groups[1], (DuplicateGroup{1, {4}}));
    EXPECT_EQ(outcome.groups[2], (DuplicateGroup{3, {6}}));
    EXPECT_EQ(outcome.marks, (std::vector<std::int32_t>{0, 0, 1, 0, 1, 1, 1}));

    // Stopped before the second picture: only the first group is known.
    hooks.beforePicture = [](int position) { return position < 2; };
    groups.clear();
    const CompareOutcome stopped = compareSignatures(signatures, hooks);
    EXPECT_TRUE(stopped.stopped);
    EXPECT_EQ(stopped.groups.size(), 1u);
    EXPECT_EQ(groups.size(), 1u);
}

TEST(ComparePass, TheCatalogueGetsFreshMarksAndTheListItsLines) {
    std::vector<PictureRecord> catalogue;
    const std::vector<Signature> signatures = {oneShare(0, 0.5), oneShare(1, 0.5), oneShare(0, 0.5), oneShare(0, 0.5)};
    for (std::size_t i = 0; i < signatures.size(); ++i) {
        PictureRecord p;
        p.path = "/photos/p" + std::to_string(i + 1) + ".jpg";
        p.block = std::make_shared<PictureBlock>();
        p.block->signature = signatures[i];
        p.isDuplicate = 1;  // left from an earlier pass
        catalogue.push_back(p);
    }
    const CompareOutcome outcome = compareCatalogue(catalogue);
    EXPECT_EQ(outcome.duplicates, 2);
    EXPECT_EQ(catalogue[0].isDuplicate, 0);
    EXPECT_EQ(catalogue[1].isDuplicate, 0);
    EXPECT_EQ(catalogue[2].isDuplicate, 1);
    EXPECT_EQ(catalogue[3].isDuplicate, 1);
    EXPECT_EQ(duplicateListLines(outcome.groups, catalogue),
              (std::vector<std::string>{"### Duplicate nr.1 ###", "/photos/p1.jpg", "/photos/p3.jpg", "/photos/p4.jpg"}));
    EXPECT_EQ(duplicateHeading(12), "### Duplicate nr.12 ###");
}

}  // namespace
}  // namespace dz::test

namespace dz::test {
namespace {

// Looks with hashes of every sort the similar mode meets: distinct ones,
// copies, near ones a few bits away, chains of them (near the next but not
// the one after), and looks that never decoded. Faults caught: a candidate
// within the reach that the index never visits (bits flipped across
// quarters, more than one quarter's share in one), one beyond the reach
// taken, or a picture in two groups.
TEST(ComparePass, TheSimilarModeGivesTheGroupsOfMeasuringEveryPairWithinTheReach) {
    std::mt19937_64 random(77);
    std::vector<PictureLook> looks;
    while (looks.size() < 4000) {
        const std::size_t roll = random() % 100;
        PictureLook look;
        look.width = 640;
        look.height = 480;
        look.valid = roll != 99;
        look.hash = random();
        if (roll < 40 && !looks.empty()) {
            look.hash = looks[random() % looks.size()].hash;
            for (int flips = static_cast<int>(random() % (kSimilarHashReach + 4)); flips > 0; --flips) {
                look.hash ^= std::uint64_t{1} << (random() % 64);
            }
        }
        // Greys apart by a level or two: alike within the threshold, or not.
        look.grey.fill(static_cast<std::uint8_t>(100 + random() % 8));
        looks.push_back(look);
    }
    const double threshold = 4.5 / 255.0;
    const CompareOutcome indexed = compareLooks(looks, {}, threshold);
    const CompareOutcome plain = comparePairwiseLooks(looks, threshold);
    EXPECT_EQ(indexed.groups, plain.groups);
    EXPECT_EQ(indexed.marks, plain.marks);
    EXPECT_GT(indexed.groups.size(), 200u);
}

}  // namespace
}  // namespace dz::test
