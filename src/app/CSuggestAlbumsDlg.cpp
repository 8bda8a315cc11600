#include "app/CSuggestAlbumsDlg.h"

#include "albums/AlbumMembership.h"
#include "albums/DateTimeText.h"
#include "app/MainWindowTexts.h"
#include "exif/TextFormat.h"
#include "journal/TargetLedger.h"
#include "platform/TimeZone.h"
#include "suggest/CatalogueShots.h"
#include "suggest/ProposalEditing.h"

#include <algorithm>
#include <cmath>

namespace dz {

namespace {

constexpr double kBytesPerMB = 1048576.0;

const std::vector<std::string>& modeNames() {
    static const std::vector<std::string> names = {"Events", "Days", "Months", "Places"};
    return names;
}

// Tabs part the columns of a row.
std::string cell(std::string text) {
    std::replace(text.begin(), text.end(), '\t', ' ');
    return text;
}

std::string fileNameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string joined(const std::vector<std::string>& texts, const char* between) {
    std::string all;
    for (const std::string& text : texts) {
        all += (all.empty() ? "" : between) + text;
    }
    return all;
}

std::string albumsText(std::size_t count) {
    return std::to_string(count) + (count == 1 ? " album" : " albums");
}

// The year's folder under the chosen directory, in the form the album
// window's directory takes ("\" the target folder itself).
std::string yearFolder(std::string dir, const std::string& year) {
    while (!dir.empty() && (dir.back() == '\\' || dir.back() == '/')) {
        dir.pop_back();
    }
    return dir + "\\" + year;
}


}  // namespace

const std::vector<std::string>& CSuggestAlbumsDlg::proposalColumns() {
    static const std::vector<std::string> names = {"Name", "First shot", "Last shot", "Pictures", "Size", "Places"};
    return names;
}

const std::vector<std::string>& CSuggestAlbumsDlg::shotColumns() {
    static const std::vector<std::string> names = {"Shot", "Picture", "Place"};
    return names;
}

CSuggestAlbumsDlg::CSuggestAlbumsDlg(Host& host, std::vector<PictureRecord>& pictures, AlbumList& albums,
                                     SuggestAlbumsContext context)
    : Window(host, "CSuggestAlbumsDlg", "Suggest Albums", 24),
      pictures_(pictures),
      albums_(albums),
      context_(context) {
    addControl(kOnlyFree, ControlKind::CheckBox, "Only pictures not in an album").checked = true;
    addControl(kModeLabel, ControlKind::Static, "Suggest by:");
    addControl(kMode, ControlKind::ComboBox).items = modeNames();
    addControl(kGapLabel, ControlKind::Static, "Gap between events (hours):");
    Control& gap = addControl(kGap, ControlKind::Slider);
    gap.rangeMin = kMinGapHours;
    gap.rangeMax = kMaxGapHours;
    gap.position = static_cast<int>(std::lround(kDefaultEventGapHours));
    addControl(kGapValue, ControlKind::Static);
    addControl(kCount, ControlKind::Static);
    addControl(kLeftOut, ControlKind::Static);
    addControl(kProposals, ControlKind::ListBox);
    addControl(kShotsLabel, ControlKind::Static, "Pictures of the selected album:");
    addControl(kShots, ControlKind::ListBox);
    addControl(kSplit, ControlKind::Button, "Split");
    addControl(kMerge, ControlKind::Button, "Merge with next");

    const ProposalAlbumOptions options;
    addControl(kOptionsGroup, ControlKind::Group, "Every album");
    addControl(kDirLabel, ControlKind::Static, "Albums directory:");
    addControl(kDirName, ControlKind::Edit, options.dirName);
    addControl(kYearFolders, ControlKind::CheckBox, "A folder for each year");
    addControl(kCreateSubDir, ControlKind::CheckBox, "Create sub dir based on album name").checked = options.createSubDir;
    addControl(kKeepName, ControlKind::CheckBox, "Keep original picture name").checked = options.keepOriginalName;
    addControl(kSortableNames, ControlKind::CheckBox, "Names that sort").checked =
        options.naming == AlbumNaming::Sortable;
    addControl(kSplitByDays, ControlKind::CheckBox, "Split by days").checked = options.splitByDays;
    addControl(kAddLabel, ControlKind::Static, "Add to picture name:");
    addControl(kAddDate, ControlKind::CheckBox, "Date").checked = options.addDate;
    addControl(kAddTime, ControlKind::CheckBox, "Time").checked = options.addTime;
    addControl(kAddCameraModel, ControlKind::CheckBox, "Camera Model").checked = options.addCameraModel;
    addControl(kAccept, ControlKind::Button, "Accept");
    addControl(kCancel, ControlKind::Button, "Cancel");
}

void CSuggestAlbumsDlg::onInit() {
    settings_.dateFormatIndex = context_.dateFormatIndex;
    control(kMode).selection = static_cast<int>(SuggestMode::Events);
    addedIds_.clear();
    takeShots();
    propose();
}

void CSuggestAlbumsDlg::takeShots() {
    const ShotsTaken taken = control(kOnlyFree).checked ? ShotsTaken::FreePictures : ShotsTaken::AllPictures;
    shots_ = suggestShotsOf(pictures_, context_.biasMinutes, taken);
    // A processed album keeps its pictures: its files are sorted already.
    std::vector<std::int32_t> processed;
    for (const Album& album : albums_) {
        if (album.isProcessed != 0) {
            processed.push_back(album.id);
        }
    }
    std::erase_if(shots_, [&](const SuggestShot& shot) {
        const std::int32_t id = pictures_[shot.picture].albumId;
        return id != 0 && std::find(processed.begin(), processed.end(), id) != processed.end();
    });
    // Sorted into the target before: processing would leave them out anyway.
    const std::size_t before = shots_.size();
    std::erase_if(shots_, [&](const SuggestShot& shot) {
        return shot.picture < context_.inTarget.size() && context_.inTarget[shot.picture];
    });
    const int leftOut = static_cast<int>(before - shots_.size());
    control(kLeftOut).text = leftOut > 0 ? alreadyInTargetText(leftOut) : std::string();
    counts_.emplace(shots_, settings_.events.jumpKm);
}

void CSuggestAlbumsDlg::propose() {
    const int mode = std::clamp(control(kMode).selection, 0, static_cast<int>(modeNames().size()) - 1);
    settings_.mode = static_cast<SuggestMode>(mode);
    settings_.events.gapHours = control(kGap).position;
    proposals_ = suggestAlbums(shots_, settings_);
    control(kProposals).selection = proposals_.empty() ? -1 : 0;
    control(kShots).selection = -1;
    for (int id : {kGapLabel, kGap, kGapValue}) {
        control(id).enabled = settings_.mode == SuggestMode::Events;
    }
    showGap(proposals_.size());
    showProposals();
    showSelected();
}

void CSuggestAlbumsDlg::showGap(std::size_t albums) {
    control(kGapValue).text = std::to_string(control(kGap).position);
    control(kCount).text = albumsText(albums);
}

std::string CSuggestAlbumsDlg::shownTime(std::int64_t value) const {
    return dateText(value, context_.dateFormatIndex) + " " + timeText(value, context_.timeFormatIndex);
}

void CSuggestAlbumsDlg::showProposals() {
    Control& list = control(kProposals);
    list.items.clear();
    const std::vector<std::string> names = distinctProposalNames(proposals_, albums_);
    for (std::size_t i = 0; i < proposals_.size(); ++i) {
        const Proposal& proposal = proposals_[i];
        const double mb = static_cast<double>(proposal.bytes) / kBytesPerMB;
        list.items.push_back(cell(names[i]) + '\t' + shownTime(shots_[proposal.first].shownTime) + '\t' +
                             shownTime(shots_[proposal.last].shownTime) + '\t' + std::to_string(proposal.count) +
                             '\t' + formatText("%.2fMB", mb) + '\t' + cell(joined(proposal.places, ", ")));
    }
    control(kAccept).enabled = !proposals_.empty();
}

const Proposal* CSuggestAlbumsDlg::selectedProposal() const {
    const int selection = control(kProposals).selection;
    if (selection < 0 || selection >= static_cast<int>(proposals_.size())) {
        return nullptr;
    }
    return &proposals_[static_cast<std::size_t>(selection)];
}

void CSuggestAlbumsDlg::showSelected() {
    const Proposal* proposal = selectedProposal();
    Control& shots = control(kShots);
    shots.items.clear();
    if (proposal != nullptr) {
        for (std::size_t i = proposal->first; i <= proposal->last; ++i) {
            const SuggestShot& shot = shots_[i];
            shots.items.push_back(shownTime(shot.shownTime) + '\t' + cell(fileNameOf(pictures_[shot.picture].path)) +
                                  '\t' + cell(shot.place));
        }
    }
    if (shots.selection >= static_cast<int>(shots.items.size())) {
        shots.selection = -1;
    }
    // A proposal is split before a picture of it, never before its first.
    control(kSplit).enabled = proposal != nullptr && shots.selection > 0;
    control(kMerge).enabled = proposal != nullptr && control(kProposals).selection + 1 < static_cast<int>(proposals_.size());
    refresh();
}

void CSuggestAlbumsDlg::onSelectionChanged(int id) {
    switch (id) {
    case kGap:
        // Counted, not proposed: the proposals follow once the slider settles.
        if (settings_.mode == SuggestMode::Events && counts_) {
            showGap(counts_->albumsFor(control(kGap).position));
            refresh();
        }
        return;
    case kMode:
        propose();
        return;
    case kProposals:
        control(kShots).selection = -1;
        showSelected();
        return;
    case kShots:
        showSelected();
        return;
    default:
        return;
    }
}

void CSuggestAlbumsDlg::onCommand(int id) {
    switch (id) {
    case kGap:
        // The handle let go where it was keeps the splits and merges made.
        if (control(kGap).position != settings_.events.gapHours) {
            propose();
        }
        return;
    case kOnlyFree:
        takeShots();
        propose();
        return;
    case kSplit:
        split();
        return;
    case kMerge:
        merge();
        return;
    case kAccept:
        accept();
        return;
    case kCancel:
        endDialog(kResultCancel);
        return;
    default:
        return;
    }
}

void CSuggestAlbumsDlg::split() {
    const Proposal* proposal = selectedProposal();
    const int chosen = control(kShots).selection;
    if (proposal == nullptr || chosen <= 0) {
        return;
    }
    const std::size_t shot = proposal->first + static_cast<std::size_t>(chosen);
    if (!splitProposalAt(proposals_, shots_, shot, settings_.dateFormatIndex)) {
        host().messageBox("This picture was taken at the same time as the one before it. Pictures of one time stay in "
                          "one album.",
                          mainwin::kCaption, Icon::Exclamation);
        return;
    }
    // The second part is selected, beginning with the chosen picture.
    control(kProposals).selection += 1;
    control(kShots).selection = 0;
    showGap(proposals_.size());
    showProposals();
    showSelected();
}

void CSuggestAlbumsDlg::merge() {
    const int selection = control(kProposals).selection;
    if (selection < 0 || !mergeWithNext(proposals_, shots_, static_cast<std::size_t>(selection),
                                        settings_.dateFormatIndex)) {
        return;
    }
    control(kShots).selection = -1;
    showGap(proposals_.size());
    showProposals();
    showSelected();
}

ProposalAlbumOptions CSuggestAlbumsDlg::chosenOptions() const {
    ProposalAlbumOptions options;
    options.dirName = control(kDirName).text.empty() ? std::string("\\") : control(kDirName).text;
    options.naming = control(kSortableNames).checked ? AlbumNaming::Sortable : AlbumNaming::FilmPosition;
    options.splitByDays = control(kSplitByDays).checked;
    options.createSubDir = control(kCreateSubDir).checked;
    options.keepOriginalName = control(kKeepName).checked;
    options.addDate = control(kAddDate).checked;
    options.addTime = control(kAddTime).checked;
    options.addCameraModel = control(kAddCameraModel).checked;
    return options;
}

void CSuggestAlbumsDlg::takeFromOwnAlbums(const std::vector<AlbumMember>& members) {
    for (const AlbumMember& member : members) {
        const PictureRecord& picture = pictures_[member.picture];
        const auto own = std::find_if(albums_.begin(), albums_.end(),
                                      [&](const Album& album) { return album.id == picture.albumId; });
        if (picture.albumId == 0 || own == albums_.end()) {
            continue;
        }
        // Counted as the album window counts a picture it lets go.
        own->pictureCount -= 1;
        own->sizeMB -= static_cast<float>(static_cast<double>(shotSize(picture)) / kBytesPerMB);
    }
}

void CSuggestAlbumsDlg::accept() {
    if (proposals_.empty()) {
        return;
    }
    const ProposalAlbumOptions options = chosenOptions();
    ProposalAlbums made = albumsFromProposals(albums_, shots_, proposals_, options);
    if (made.albums.size() != proposals_.size()) {
        return;
    }
    const std::vector<std::string> names = distinctProposalNames(proposals_, albums_);
    const int bias = currentTimeZone().totalBiasMinutes();
    for (std::size_t i = 0; i < made.albums.size(); ++i) {
        made.albums[i].name = names[i];
        if (control(kYearFolders).checked) {
            // The year its first picture's texts show, as its name's date.
            const std::int64_t first = shots_[proposals_[i].first].shownTime;
            made.albums[i].dirName = yearFolder(options.dirName, formatTimeValue(first, "%Y", bias));
        }
    }
    takeFromOwnAlbums(made.members);
    addedIds_.clear();
    for (Album& album : made.albums) {
        addedIds_.push_back(album.id);
        albums_.push_back(std::move(album));
    }
    joinAlbums(pictures_, made.members);
    endDialog(kResultOk);
}

}  // namespace dz
