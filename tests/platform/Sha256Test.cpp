#include "platform/Sha256.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <vector>

namespace dz {
namespace {

struct Vector {
    const char* name;
    std::string message;
    const char* digest;
};

std::vector<Vector> nistVectors() {
    return {
        {"empty", "", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        // 56 bytes: the length no longer fits in the last block, padding takes another.
        {"448 bits", "abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        {"896 bits",
         "abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmnoijklmnopjklmnopqklmnopqrlmnopqrsmnopqrstnopqrstu",
         "cf5b16a778af8380036ce59e7b0492370b249b11e8f07a51afac45037afee9d1"},
        {"million a", std::string(1000000, 'a'), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
    };
}

// Feeds `message` in pieces whose sizes repeat `pattern`; an empty pattern feeds it whole.
void feed(Sha256& hash, std::string_view message, const std::vector<std::size_t>& pattern) {
    if (pattern.empty()) {
        hash.update(message);
        return;
    }
    for (std::size_t at = 0, k = 0; at < message.size(); k = (k + 1) % pattern.size()) {
        const std::size_t piece = std::min(pattern[k], message.size() - at);
        hash.update(message.substr(at, piece));
        at += piece;
    }
}

class Sha256Test : public ::testing::TestWithParam<Sha256::Engine> {
protected:
    void SetUp() override {
        if (GetParam() == Sha256::Engine::Fastest && !Sha256::hardwareAvailable()) {
            GTEST_SKIP() << "this CPU has no SHA extensions";
        }
    }
};

TEST_P(Sha256Test, UsesTheEngineAskedFor) {
    EXPECT_EQ(Sha256(GetParam()).usesHardware(), GetParam() == Sha256::Engine::Fastest);
}

TEST_P(Sha256Test, GivesTheNistDigestsHoweverTheBytesArrive) {
    const std::vector<std::vector<std::size_t>> patterns = {{}, {1}, {63}, {64}, {65}, {1, 63, 64, 65, 127, 3}};
    // One object for every run: finish() must leave it as new.
    Sha256 hash(GetParam());
    for (const Vector& v : nistVectors()) {
        for (const auto& pattern : patterns) {
            feed(hash, v.message, pattern);
            EXPECT_EQ(hash.finishHex(), v.digest) << v.name << ", " << pattern.size() << " piece sizes";
        }
    }
}

TEST_P(Sha256Test, MatchesSha256sumOfAFile) {
    // From `sha256sum tests/data/canon-40d.jpg`.
    const char* expected = "6bfdabd4fc33d112283c147acccc574e770bbe6fbdbc3d4da968ba7b606ecc2f";
    Sha256 hash(GetParam());
    hash.update(test::readTestData("canon-40d.jpg"));
    const std::array<std::uint8_t, 32> digest = hash.finish();
    EXPECT_EQ(hexText(digest.data(), digest.size()), expected);
}

INSTANTIATE_TEST_SUITE_P(Engines, Sha256Test, ::testing::Values(Sha256::Engine::Portable, Sha256::Engine::Fastest),
                         [](const auto& info) {
                             return info.param == Sha256::Engine::Portable ? "Portable" : "Hardware";
                         });

}  // namespace
}  // namespace dz
