// A movie's index read from bytes made here box by box, sound and damaged.
#include "formats/MovieIndex.h"

#include <gtest/gtest.h>

#include <string>

namespace dz {
namespace {

std::string be16(std::uint16_t v) {
    return {static_cast<char>(v >> 8), static_cast<char>(v)};
}
std::string be32(std::uint32_t v) {
    return be16(static_cast<std::uint16_t>(v >> 16)) + be16(static_cast<std::uint16_t>(v));
}
std::string box(const std::string& type, const std::string& body) {
    return be32(static_cast<std::uint32_t>(8 + body.size())) + type + body;
}
std::string zeros(std::size_t n) {
    return std::string(n, '\0');
}

constexpr std::uint32_t kJuly2024 = 3802674030;  // 2024-07-01 10:20:30 UTC, since 1904

// A track header of version 0 turned a quarter clockwise (a = 0, b = 1,
// c = -1), shown 240 x 320.
std::string trackHeader() {
    const std::string matrix = be32(0) + be32(0x10000) + be32(0) + be32(0xFFFF0000) + be32(0) + be32(0) +
                               be32(0) + be32(0) + be32(0x40000000);
    return box("tkhd", zeros(4) + zeros(20) + zeros(16) + matrix + be32(240 << 16) + be32(320 << 16));
}

std::string sampleTable(std::uint16_t width, std::uint16_t height) {
    const std::string entry = box("avc1", zeros(24) + be16(width) + be16(height) + zeros(50));
    return box("stbl", box("stsd", zeros(4) + be32(1) + entry));
}

std::string track(const std::string& handler, const std::string& header, const std::string& table) {
    const std::string media = box("mdhd", zeros(4) + be32(kJuly2024 + 60) + zeros(16)) +
                              box("hdlr", zeros(8) + handler + zeros(13)) + box("minf", table);
    return box("trak", header + box("mdia", media));
}

// Keys by name: one key, and an item list naming it.
std::string metadata(std::uint32_t keyCount) {
    const std::string key = "com.apple.quicktime.make";
    const std::string keys = box("keys", zeros(4) + be32(keyCount) + be32(8 + key.size()) + "mdta" + key);
    const std::string item = be32(8 + 16 + 5) + be32(1) + box("data", be32(1) + zeros(4) + "Apple");
    return box("meta", box("hdlr", zeros(8) + "mdta" + zeros(13)) + keys + box("ilst", item));
}

std::string movie(const std::string& children) {
    return box("ftyp", "qt  " + zeros(4)) + box("moov", children) + box("mdat", zeros(32));
}

std::string soundChildren() {
    return box("mvhd", zeros(4) + be32(kJuly2024) + zeros(92)) +
           track("vide", trackHeader(), sampleTable(320, 240)) + metadata(1);
}

bool read(const std::string& bytes, MovieIndex& index, std::string& problem) {
    MemoryBoxSource source(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    return readMovieIndex(source, index, problem);
}

TEST(MovieIndex, ReadsTheTimeSizeTurnAndTagsOfTheVideoTrack) {
    MovieIndex index;
    std::string problem;
    ASSERT_TRUE(read(movie(soundChildren()), index, problem)) << problem;
    EXPECT_EQ(index.created, kJuly2024);
    EXPECT_EQ(index.width, 320);
    EXPECT_EQ(index.height, 240);
    EXPECT_EQ(index.quarterTurns, 1);
    EXPECT_EQ(index.tag("com.apple.quicktime.make"), "Apple");

    // Without a movie time the video track's media time stands in; a larger
    // sound track's size is not the picture's.
    const std::string noTime = box("mvhd", zeros(100)) + track("soun", trackHeader(), sampleTable(4000, 4000)) +
                               track("vide", trackHeader(), sampleTable(320, 240));
    ASSERT_TRUE(read(movie(noTime), index, problem)) << problem;
    EXPECT_EQ(index.created, kJuly2024 + 60u);
    EXPECT_EQ(index.width, 320);
}

TEST(MovieIndex, DamagedIndexesAreNoMovieAndHostileCountsCostNothing) {
    const std::string sound = movie(soundChildren());
    const std::size_t moovAt = box("ftyp", "qt  " + zeros(4)).size();
    std::string cut = sound.substr(0, moovAt + 40);
    std::string overrun = sound;
    overrun.replace(moovAt + 8 + 8 + 100, 4, be32(0x7FFFFFF0));  // the track claims more than the movie holds
    std::string huge = sound;
    huge.replace(moovAt + 8, 4, be32(1));  // the 64-bit size is then the next 8 bytes: far beyond the file
    std::string tooSmall = sound;
    tooSmall.replace(moovAt + 8, 4, be32(4));
    std::string manyBoxes;
    for (int i = 0; i < 5000; ++i) {
        manyBoxes += box("free", "");
    }
    const std::pair<const char*, std::string> damaged[] = {
        {"movie cut short", cut},
        {"track beyond its movie", overrun},
        {"64-bit size beyond the file", huge},
        {"box smaller than its header", tooSmall},
        {"endless boxes on one level", movie(soundChildren() + manyBoxes)},
        {"no movie box", box("ftyp", "qt  ") + box("mdat", zeros(64))},
    };
    for (const auto& [name, bytes] : damaged) {
        MovieIndex index;
        std::string problem;
        EXPECT_FALSE(read(bytes, index, problem)) << name;
        EXPECT_EQ(problem, kNotAMovieText) << name;
    }
    MovieIndex index;
    std::string problem;
    EXPECT_FALSE(read(movie(track("soun", trackHeader(), sampleTable(0, 0))), index, problem));
    EXPECT_EQ(problem, kNoVideoTrackText);

    // A key count of four thousand million over one key, a track header cut
    // short and a sample entry without a size: read as far as they go.
    const std::string bounded = box("mvhd", zeros(100)) +
                                track("vide", box("tkhd", zeros(20)), box("stbl", box("stsd", zeros(12)))) +
                                metadata(0xFFFFFFFF);
    ASSERT_TRUE(read(movie(bounded), index, problem)) << problem;
    EXPECT_EQ(index.tag("com.apple.quicktime.make"), "Apple");
    EXPECT_EQ(index.width, 0);
    EXPECT_EQ(index.quarterTurns, 0);
}

}  // namespace
}  // namespace dz
