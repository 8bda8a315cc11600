#pragma once

#include "albums/Album.h"
#include "catalogue/PictureRecord.h"
#include "platform/Window.h"
#include "suggest/EventSuggestion.h"
#include "suggest/ProposalAlbums.h"
#include "suggest/Suggestion.h"

#include <optional>
#include <string>
#include <vector>

namespace dz {

// How the Suggest Albums window reads the catalogue's keys and shows its times.
struct SuggestAlbumsContext {
    int dateFormatIndex = 1;
    int timeFormatIndex = 1;
    int biasMinutes = 0;  // the one the catalogue's keys were made with
    // By catalogue index, the pictures the target holds already ("Leave out
    // pictures already in the target"): never proposed. Empty: none.
    std::vector<bool> inTarget;
};

// "Suggest Albums": the catalogue's pictures (or those in no album yet)
// grouped into proposed albums by events, days, months or places; a
// proposal split at one of its pictures or merged with the next; one
// directory and naming choice for all. Accept adds the albums to the list
// and their pictures join them; Cancel leaves both as they were. Nothing is
// written to disk here.
class CSuggestAlbumsDlg final : public Window {
public:
    static constexpr int kOnlyFree = 1501;
    static constexpr int kModeLabel = 1502;
    static constexpr int kMode = 1503;
    static constexpr int kGapLabel = 1504;
    // Whole hours; moving it counts the albums, letting go proposes them.
    static constexpr int kGap = 1505;
    static constexpr int kGapValue = 1506;
    static constexpr int kCount = 1507;
    static constexpr int kProposals = 1508;
    static constexpr int kShotsLabel = 1509;
    // The selected proposal's pictures: the one chosen begins the second part of a split.
    static constexpr int kShots = 1510;
    static constexpr int kSplit = 1511;
    static constexpr int kMerge = 1512;
    static constexpr int kOptionsGroup = 1513;
    static constexpr int kDirLabel = 1514;
    static constexpr int kDirName = 1515;
    // Each album in a folder of its first picture's year, under the directory.
    static constexpr int kYearFolders = 1516;
    static constexpr int kCreateSubDir = 1517;
    static constexpr int kKeepName = 1518;
    static constexpr int kSortableNames = 1519;
    static constexpr int kSplitByDays = 1520;
    static constexpr int kAddLabel = 1521;
    static constexpr int kAddDate = 1522;
    static constexpr int kAddTime = 1523;
    static constexpr int kAddCameraModel = 1524;
    // "312 pictures are already in the target"; empty when none are.
    static constexpr int kLeftOut = 1525;
    static constexpr int kAccept = 1;
    static constexpr int kCancel = 2;

    static constexpr int kMinGapHours = 1;
    static constexpr int kMaxGapHours = 72;

    // The columns of kProposals and kShots, whose rows are tab-separated texts.
    static const std::vector<std::string>& proposalColumns();
    static const std::vector<std::string>& shotColumns();

    CSuggestAlbumsDlg(Host& host, std::vector<PictureRecord>& pictures, AlbumList& albums,
                      SuggestAlbumsContext context);

    void onInit() override;
    void onCommand(int id) override;
    void onSelectionChanged(int id) override;

    // The ids of the albums Accept added, in the list's order.
    const std::vector<std::int32_t>& addedIds() const { return addedIds_; }

private:
    // The shots the choice of pictures takes, and their event counts.
    void takeShots();
    // Proposes again with the mode and gap of the moment.
    void propose();
    void showGap(std::size_t albums);
    void showProposals();
    void showSelected();
    void split();
    void merge();
    void accept();
    // Pictures taken into new albums leave the count and size of the albums they were in.
    void takeFromOwnAlbums(const std::vector<AlbumMember>& members);
    ProposalAlbumOptions chosenOptions() const;
    const Proposal* selectedProposal() const;
    std::string shownTime(std::int64_t value) const;

    std::vector<PictureRecord>& pictures_;
    AlbumList& albums_;
    SuggestAlbumsContext context_;
    SuggestSettings settings_;
    std::vector<SuggestShot> shots_;
    std::optional<EventCounts> counts_;
    std::vector<Proposal> proposals_;
    std::vector<std::int32_t> addedIds_;
};

}  // namespace dz
