#include "app/DuplicateStatus.h"
#include "app/SessionExtras.h"
#include "app/SessionFile.h"
#include "timeline/CameraClock.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace dz {
namespace {

// Offsets in a file of one album whose strings are all empty: version,
// four words, two empty folder texts, the count, the album, the counters.
constexpr std::size_t kHeadBytes = 4 + 16 + 4 + 4 + 4;
constexpr std::size_t kAlbumBytes = 228;
constexpr std::size_t kCountersBytes = 24;

SessionFile sessionWithPictures(int pictures) {
    SessionFile session;
    session.albums.push_back(Album{});
    session.albums[0].filter.camera.clear();
    for (int i = 0; i < pictures; ++i) {
        SessionPicture picture;
        picture.albumId = i + 1;
        picture.customName = "label " + std::to_string(i);
        picture.hasCustomName = 1;
        picture.hasExif = 1;
        picture.signature[15] = i * 0.25;
        session.pictures.push_back(picture);
    }
    return session;
}

std::uint32_t wordAt(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
    return static_cast<std::uint32_t>(bytes[offset]) | (static_cast<std::uint32_t>(bytes[offset + 1]) << 8) |
           (static_cast<std::uint32_t>(bytes[offset + 2]) << 16) |
           (static_cast<std::uint32_t>(bytes[offset + 3]) << 24);
}

void putWord(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[offset + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

// Where the picture records end and the block of later fields begins.
std::size_t recordsEnd(const std::vector<std::uint8_t>& bytes) {
    SessionFile scratch;
    return readSessionExtras(bytes, scratch).value_or(0);
}

TEST(SessionFile, PictureRecordsAreWholeFixedRecordsAfterTheCounters) {
    const auto bytes = writeSession(sessionWithPictures(2));
    ASSERT_EQ(recordsEnd(bytes), kHeadBytes + kAlbumBytes + kCountersBytes + 2 * kSessionPictureBytes);
    EXPECT_EQ(std::memcmp(bytes.data(), "1.1\0", 4), 0);
    const std::size_t second = kHeadBytes + kAlbumBytes + kCountersBytes + kSessionPictureBytes;
    EXPECT_EQ(wordAt(bytes, second + 8), 2u);  // albumId
    EXPECT_EQ(bytes[second + 16], 1);          // hasCustomName
    EXPECT_EQ(bytes[second + 18], 1);          // hasExif
    EXPECT_EQ(bytes[second + 19], 0);
    const std::size_t label = second + 16 + 4 + 128 + 4;
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&bytes[label])), "label 1");
    // The rest of the label field is zeros up to the end of the record.
    for (std::size_t i = label + 7; i < recordsEnd(bytes); ++i) {
        ASSERT_EQ(bytes[i], 0) << i;
    }
}

TEST(SessionFile, LabelFieldHoldsAtMost127Characters) {
    SessionFile session = sessionWithPictures(1);
    session.pictures[0].customName = std::string(200, 'x');
    auto bytes = writeSession(session);
    const std::size_t lastByte = recordsEnd(bytes) - 1;
    EXPECT_EQ(bytes[lastByte], 0);
    auto read = readSession(bytes);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->pictures[0].customName, std::string(127, 'x'));

    // A stored field without any terminator still gives 127 characters.
    bytes[lastByte] = 'y';
    read = readSession(bytes);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->pictures[0].customName, std::string(127, 'x'));
}

TEST(SessionFile, EveryCutThatIsNotARecordBoundaryIsRefused) {
    auto bytes = writeSession(sessionWithPictures(3));
    bytes.resize(recordsEnd(bytes));
    const std::size_t firstPicture = kHeadBytes + kAlbumBytes + kCountersBytes;
    for (std::size_t cut = 0; cut < bytes.size(); ++cut) {
        const auto read = readSession(std::span(bytes.data(), cut));
        const bool boundary = cut >= firstPicture && (cut - firstPicture) % kSessionPictureBytes == 0;
        ASSERT_EQ(read.has_value(), boundary) << "cut at " << cut;
        if (read) {
            EXPECT_EQ(read->pictures.size(), (cut - firstPicture) / kSessionPictureBytes);
        }
    }
    // One stray byte after the records is refused as well.
    auto longer = bytes;
    longer.push_back(0);
    EXPECT_FALSE(readSession(longer));
}

TEST(SessionFile, CountsThatDoNotFitTheFileAreRefused) {
    const auto good = writeSession(sessionWithPictures(1));
    ASSERT_TRUE(readSession(good));
    const std::size_t sourceCount = 20;
    const std::size_t albumCount = 28;
    const std::size_t cameraCount = albumCount + 4 + 64;
    struct Case {
        std::size_t offset;
        std::uint32_t value;
    };
    const Case cases[] = {
        {sourceCount, 0xFFFFFFFFu},  // -1
        {sourceCount, 0x80000000u},  // most negative
        {sourceCount, static_cast<std::uint32_t>(good.size())},
        {sourceCount, 0x7FFFFFFFu},
        {albumCount, 0xFFFFFFFFu},
        {albumCount, 2},  // a second album the file has no room for
        {albumCount, 0x7FFFFFFFu},
        {cameraCount, 0xFFFFFFFFu},
        {cameraCount, 1000},
    };
    for (const Case& c : cases) {
        auto bytes = good;
        putWord(bytes, c.offset, c.value);
        EXPECT_FALSE(readSession(bytes)) << "offset " << c.offset << " value " << c.value;
    }
}

TEST(SessionFile, OnlyVersionOnePointOneCarriesSplitByDays) {
    SessionFile session = sessionWithPictures(0);
    session.albums[0].splitByDays = 1;
    session.albums[0].id = 7;
    auto bytes = writeSession(session);
    auto read = readSession(bytes);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->albums[0].splitByDays, 1);
    EXPECT_EQ(read->albums[0].id, 7);

    // "1.1" with a different fourth byte is another version: the same
    // bytes are then one field short of an album, and a byte over.
    bytes[3] = ' ';
    EXPECT_FALSE(readSession(bytes));
}

// The rules a session's dates were made under travel in a block after the
// records: a file without it was made under the first rules, a later
// program's field is passed over, a damaged block or unknown rules refused.
TEST(SessionFile, DateRulesTravelInABlockThatLaterFieldsExtend) {
    SessionFile session = sessionWithPictures(2);
    for (DateRules rules : {DateRules::AsFirstMade, DateRules::TrueTimes}) {
        session.dateRules = rules;
        const auto read = readSession(writeSession(session));
        ASSERT_TRUE(read);
        EXPECT_EQ(read->dateRules, rules);
        EXPECT_EQ(read->pictures.size(), 2u);
    }
    session.dateRules = DateRules::TrueTimes;
    session.albums[0].id = 7;
    session.albums[0].naming = AlbumNaming::Sortable;
    const auto bytes = writeSession(session);
    ASSERT_EQ(readSession(bytes)->albums[0].naming, AlbumNaming::Sortable);
    const std::size_t end = recordsEnd(bytes);
    const auto firstLayout = readSession(std::span(bytes.data(), end));
    ASSERT_TRUE(firstLayout);
    EXPECT_EQ(firstLayout->dateRules, DateRules::AsFirstMade);
    EXPECT_EQ(firstLayout->albums[0].naming, AlbumNaming::FilmPosition);
    EXPECT_EQ(firstLayout->pictures.size(), 2u);

    // A field of a later program, before the one known here.
    auto later = bytes;
    const std::vector<std::uint8_t> unknown{99, 0, 3, 0, 0, 0, 'a', 'b', 'c'};
    later.insert(later.begin() + static_cast<std::ptrdiff_t>(end), unknown.begin(), unknown.end());
    const std::size_t lengthAt = later.size() - 16;
    putWord(later, lengthAt, wordAt(later, lengthAt) + static_cast<std::uint32_t>(unknown.size()));
    const auto extended = readSession(later);
    ASSERT_TRUE(extended);
    EXPECT_EQ(extended->dateRules, DateRules::TrueTimes);
    EXPECT_EQ(extended->pictures.size(), 2u);

    auto unknownRules = bytes;
    putWord(unknownRules, end + 6, 9);
    EXPECT_FALSE(readSession(unknownRules));
    auto tooLong = bytes;
    putWord(tooLong, tooLong.size() - 16, static_cast<std::uint32_t>(tooLong.size()));
    EXPECT_FALSE(readSession(tooLong));
    auto cutRecord = bytes;
    putWord(cutRecord, end + 2, 5);
    EXPECT_FALSE(readSession(cutRecord));
}

// The timeline's records are written only when they say something, and a
// clock out of its ranges refuses the file; a zone this machine lacks reads
// as the local time of the place.
TEST(SessionFile, TheTimelineAndItsClocksTravelInTheBlock) {
    SessionFile session = sessionWithPictures(1);
    const std::size_t offTimeline = writeSession(session).size();
    session.oneTimeline = true;
    session.cameraClocks.byBody.push_back({{"Canon", "Canon EOS 80D", "0123"}, *parseClockZone("Europe/Berlin")});
    session.cameraClocks.byBody[0].second.correctionSeconds = -95;
    session.cameraClocks.byModel.push_back({"Pixel 5", *parseClockZone("+09:00")});
    session.pictureCorrections.emplace_back("/trip/IMG_1.jpg", 3600);
    const auto bytes = writeSession(session);
    ASSERT_GT(bytes.size(), offTimeline);
    const auto read = readSession(bytes);
    ASSERT_TRUE(read);
    EXPECT_TRUE(read->oneTimeline);
    ASSERT_EQ(read->cameraClocks.byBody.size(), 1u);
    EXPECT_EQ(read->cameraClocks.byBody[0].first, (CameraBody{"Canon", "Canon EOS 80D", "0123"}));
    EXPECT_EQ(read->cameraClocks.byBody[0].second.zoneName, "Europe/Berlin");
    EXPECT_EQ(read->cameraClocks.byBody[0].second.correctionSeconds, -95);
    ASSERT_EQ(read->cameraClocks.byModel.size(), 1u);
    EXPECT_EQ(read->cameraClocks.byModel[0].second.offsetSeconds, 9 * 3600);
    EXPECT_EQ(read->pictureCorrections, session.pictureCorrections);

    // The zone name's bytes, then the correction's eight.
    const auto at = [&](const std::string& text) {
        const std::string all(bytes.begin(), bytes.end());
        return all.find(text);
    };
    auto elsewhere = bytes;
    elsewhere[at("Europe/Berlin")] = 'X';
    const auto unknownZone = readSession(elsewhere);
    ASSERT_TRUE(unknownZone);
    EXPECT_EQ(unknownZone->cameraClocks.byBody[0].second.zone, CameraClock::Zone::PlaceLocal);
    auto wild = bytes;
    wild[at("Europe/Berlin") + 13 + 7] = 0x40;
    EXPECT_FALSE(readSession(wild));
}

TEST(DuplicateStatus, NamesWhatWasRemoved) {
    EXPECT_EQ(duplicateStatusText(10, 4, 10), "Found 10 .JPG Files with exif information. Duplicates 4. None removed");
    EXPECT_EQ(duplicateStatusText(8, 2, 10), "8 unique .JPG Files with exif information. Duplicates 2. Removed 2");
    EXPECT_EQ(duplicateStatusText(9, 2, 10), "Found 9 .JPG Files with exif information. Duplicates 2. Removed 1");
    EXPECT_EQ(duplicateStatusText(8, 2, 10, PictureFiles::AllFormats),
              "8 unique pictures and videos with exif information. Duplicates 2. Removed 2");
}

}  // namespace
}  // namespace dz
