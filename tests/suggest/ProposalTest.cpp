#include "suggest/Proposal.h"

#include "ShotTable.h"
#include "albums/AlbumMembership.h"
#include "platform/TimeZone.h"
#include "suggest/CatalogueShots.h"
#include "suggest/ProposalAlbums.h"
#include "suggest/ProposalEditing.h"

#include <gtest/gtest.h>

namespace dz {
namespace {

using test::kKyoto;
using test::kNara;
using test::shotsOf;

// A day in Kyoto that begins before the UTC (and the computer's) midnight:
// 06:00 there is 23:00 of the day before in the computer's zone.
std::vector<SuggestShot> kyotoAndNara() {
    return shotsOf({{"2024-07-05 06:00:00", 9, kKyoto, "Kyoto", 1000},
                    {"2024-07-05 09:00:00", 9, std::nullopt, "", 2000},
                    {"2024-07-05 14:00:00", 9, kNara, "near Nara", 3000},
                    {"2024-07-05 15:00:00", 9, kKyoto, "Kyoto", 4000},
                    {"2024-07-06 09:00:00", 9, std::nullopt, "", 5000}});
}

TEST(Proposal, TellsItsRunAndIsNamedByTheDateAtThePlaceAndItsPlaces) {
    const std::vector<SuggestShot> shots = kyotoAndNara();
    const Proposal p = describeProposal(shots, 0, 3, 1);
    EXPECT_EQ(p.count, 4u);
    EXPECT_EQ(p.bytes, 10000u);
    EXPECT_EQ(p.startKey, shots[0].key);
    EXPECT_EQ(p.endKey, shots[3].key);
    EXPECT_EQ(p.places, (std::vector<std::string>{"Kyoto", "Nara"}));
    EXPECT_EQ(p.name, "2024-07-05 Kyoto & Nara");
    EXPECT_EQ(describeProposal(shots, 4, 4, 1).name, "2024-07-06");
    EXPECT_EQ(describeProposal(shots, 0, 0, 3).name, "05 July 2024 Kyoto");
}

TEST(Proposal, NoTwoProposalsShareAKey) {
    std::vector<SuggestShot> shots = kyotoAndNara();
    shots[2].key = shots[1].key;
    const std::vector<Proposal> proposals = proposalsAt(shots, {0, 2, 4}, 1);
    ASSERT_EQ(proposals.size(), 2u);
    EXPECT_EQ(proposals[0].last, 3u);
    EXPECT_EQ(proposals[1].first, 4u);
}

TEST(ProposalEditing, SplitAtAPictureAndMergeBack) {
    const std::vector<SuggestShot> shots = kyotoAndNara();
    std::vector<Proposal> proposals = proposalsAt(shots, {0, 4}, 1);
    ASSERT_TRUE(splitProposalAt(proposals, shots, 2, 1));
    ASSERT_EQ(proposals.size(), 3u);
    EXPECT_EQ(proposals[0].last, 1u);
    EXPECT_EQ(proposals[0].name, "2024-07-05 Kyoto");
    EXPECT_EQ(proposals[1].first, 2u);
    EXPECT_EQ(proposals[1].last, 3u);
    EXPECT_EQ(proposals[1].name, "2024-07-05 Nara & Kyoto");
    EXPECT_EQ(proposals[1].bytes, 7000u);
    EXPECT_EQ(proposals[2].first, 4u);
    // A picture that already begins a proposal is no split; nor one past the shots.
    EXPECT_FALSE(splitProposalAt(proposals, shots, 2, 1));
    EXPECT_FALSE(splitProposalAt(proposals, shots, 9, 1));
    EXPECT_EQ(proposals.size(), 3u);

    ASSERT_TRUE(mergeWithNext(proposals, shots, 0, 1));
    ASSERT_EQ(proposals.size(), 2u);
    EXPECT_EQ(proposals[0].last, 3u);
    EXPECT_EQ(proposals[0].name, "2024-07-05 Kyoto & Nara");
    EXPECT_EQ(proposals[0].count, 4u);
    EXPECT_FALSE(mergeWithNext(proposals, shots, 1, 1));
}

TEST(ProposalEditing, RefusesToSplitBetweenShotsOfOneKey) {
    std::vector<SuggestShot> shots = kyotoAndNara();
    shots[2].key = shots[1].key;
    std::vector<Proposal> proposals = proposalsAt(shots, {0}, 1);
    EXPECT_FALSE(splitProposalAt(proposals, shots, 2, 1));
    EXPECT_EQ(proposals.size(), 1u);
}

PictureRecord picture(const std::string& path, const char* dateTime, std::uint64_t size, std::int32_t albumId,
                      int bias) {
    PictureRecord record;
    record.path = path;
    record.size = size;
    record.albumId = albumId;
    record.block = std::make_shared<PictureBlock>();
    record.exif().dateTime = dateTime;
    record.createTime = record.writeTime = static_cast<std::int64_t>(pictureShotKey(record, bias));
    return record;
}

// The albums are what the album window would save for the same pictures:
// the range of their keys, their count and size, the options it saves.
TEST(ProposalAlbums, AreSavedAlbumsAfterTheExistingOnesWithTheirPictures) {
    const int bias = currentTimeZone().totalBiasMinutes();
    std::vector<PictureRecord> pictures = {
        picture("/s/c.jpg", "2024:07:06 09:00:00", 3 * 1048576, 0, bias),
        picture("/s/a.jpg", "2024:07:05 09:00:00", 1048576, 0, bias),
        picture("/s/held.jpg", "2024:07:05 10:00:00", 1048576, 4, bias),
        picture("/s/b.jpg", "2024:07:05 12:00:00", 1048576, 0, bias),
    };
    pictures[1].companions.push_back({"/s/a.nef", 1048576, true});
    const std::vector<SuggestShot> shots = suggestShotsOf(pictures, bias);
    ASSERT_EQ(shots.size(), 3u);  // the picture of album 4 is not free
    EXPECT_EQ(shots[0].picture, 1u);
    EXPECT_EQ(shots[1].picture, 3u);
    EXPECT_EQ(shots[2].picture, 0u);
    EXPECT_EQ(shots[0].size, 2u * 1048576);

    AlbumList existing(2);
    existing[0].id = 1;
    existing[1].id = 4;
    const std::vector<Proposal> proposals = proposalsAt(shots, {0, 2}, 1);
    ProposalAlbumOptions options;
    options.dirName = "Trips";
    options.splitByDays = true;
    const ProposalAlbums made = albumsFromProposals(existing, shots, proposals, options);
    ASSERT_EQ(made.albums.size(), 2u);
    const Album& first = made.albums[0];
    EXPECT_EQ(first.id, 5);
    EXPECT_EQ(made.albums[1].id, 6);
    EXPECT_EQ(first.name, "2024-07-05");
    EXPECT_EQ(first.dirName, "Trips");
    EXPECT_EQ(first.startKey, pictureShotKey(pictures[1], bias));
    EXPECT_EQ(first.endKey, pictureShotKey(pictures[3], bias));
    EXPECT_EQ(first.startTime, first.startKey);
    EXPECT_EQ(first.endTime, first.endKey);
    EXPECT_EQ(first.pictureCount, 2);
    EXPECT_FLOAT_EQ(first.sizeMB, 3.0f);
    EXPECT_EQ(first.naming, AlbumNaming::Sortable);
    EXPECT_EQ(first.splitByDays, 1);
    EXPECT_EQ(first.createSubDir, 1);
    EXPECT_EQ(first.keepOriginalName, 0);
    EXPECT_EQ(first.addDate, 1);
    EXPECT_EQ(first.addTime, 1);
    EXPECT_EQ(first.addCameraModel, 0);
    EXPECT_EQ(first.isNew, 0);
    EXPECT_EQ(first.isProcessed, 0);

    joinAlbums(pictures, made.members);
    EXPECT_EQ(pictures[0].albumId, 6);
    EXPECT_EQ(pictures[1].albumId, 5);
    EXPECT_EQ(pictures[2].albumId, 4);
    EXPECT_EQ(pictures[3].albumId, 5);
    EXPECT_EQ(albumsFromProposals({}, shots, proposals, options).albums[0].id, 1);
}

}  // namespace
}  // namespace dz
