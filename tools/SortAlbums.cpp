#include "SortAlbums.h"

#include "suggest/CatalogueShots.h"
#include "suggest/ProposalAlbums.h"
#include "suggest/SortedFolders.h"
#include "timeline/CatalogueTimeline.h"
#include "timeline/GazetteerPlaces.h"
#include "platform/TimeZone.h"

#include <map>
#include <utility>

namespace dz {

namespace {

using FolderMoments = std::vector<std::pair<std::string, std::int64_t>>;

// The moments of the ledger's pictures that the source does not hold, read
// from their places in the target (a picture deleted there since is passed
// over), on a timeline of their own under the same clocks.
void addTargetMoments(const AppState& state, Host& host, const TargetLedger& ledger, const std::vector<bool>& seen,
                      FolderMoments& placed) {
    const bool noAbort = false;
    CDirReader reader(host, state.fileSystem, noAbort);
    const int bias = state.dirReader->biasMinutes();
    reader.setBiasMinutes(bias);
    reader.setPictureFiles(PictureFiles::AllFormats);
    std::map<std::string, std::string> folderOfPath;
    for (std::size_t i = 0; i < ledger.entries().size(); ++i) {
        const LedgerEntry& entry = ledger.entries()[i];
        if (seen[i]) {
            continue;
        }
        const std::string path = ledger.targetFolder() + "/" + entry.place;
        if (state.fileSystem.exists(path) && reader.readFile(path)) {
            folderOfPath[path] = albumFolderOf(entry);
        }
    }
    std::vector<PictureRecord>& pictures = reader.catalogue();
    placeCatalogueOnTimeline(pictures, state.cameraClocks, gazetteerPlaceFinder(), computerOffsetAt, bias);
    for (const SuggestShot& shot : suggestShotsOf(pictures, bias, ShotsTaken::AllPictures)) {
        const auto found = folderOfPath.find(pictures[shot.picture].path);
        if (found != folderOfPath.end()) {
            placed.emplace_back(found->second, shot.moment);
        }
    }
}

void addAlbums(AppState& state, const ProposalAlbums& made, SortAlbumsReport& report) {
    joinAlbums(state.dirReader->catalogue(), made.members);
    state.albums.insert(state.albums.end(), made.albums.begin(), made.albums.end());
    report.albums += static_cast<int>(made.albums.size());
}

}  // namespace

SortAlbumsReport makeSortAlbums(AppState& state, Host& host, TargetLedger& ledger, const SuggestSettings& settings,
                                std::ostream& err) {
    SortAlbumsReport report;
    std::vector<PictureRecord>& catalogue = state.dirReader->catalogue();
    const int bias = state.dirReader->biasMinutes();
    const std::vector<SuggestShot> shots = suggestShotsOf(catalogue, bias);

    // What the target holds already, and the moments its album folders span.
    std::vector<SuggestShot> fresh;
    std::vector<bool> seen(ledger.entries().size(), false);
    FolderMoments placed;
    for (const SuggestShot& shot : shots) {
        std::string error;
        const LedgerEntry* entry = ledger.entries().empty() ? nullptr : ledger.find(catalogue[shot.picture].path, error);
        if (!error.empty()) {
            err << "dezoredu-cli: " << catalogue[shot.picture].path << ": " << error << "\n";
        }
        if (entry == nullptr) {
            fresh.push_back(shot);
            continue;
        }
        ++report.alreadyInTarget;
        seen[static_cast<std::size_t>(entry - ledger.entries().data())] = true;
        placed.emplace_back(albumFolderOf(*entry), shot.moment);
    }
    if (fresh.empty()) {
        return report;
    }

    const ProposalAlbumOptions options;
    std::vector<SuggestShot> rest;
    if (!ledger.entries().empty()) {
        addTargetMoments(state, host, ledger, seen, placed);
        const std::vector<SortedFolder> folders = sortedFoldersOf(placed);
        const auto gap = static_cast<std::int64_t>(settings.events.gapHours * 3600.0);
        const std::vector<int> joined = foldersJoined(fresh, folders, gap);
        std::vector<std::vector<SuggestShot>> byFolder(folders.size());
        for (std::size_t i = 0; i < fresh.size(); ++i) {
            if (joined[i] < 0) {
                rest.push_back(fresh[i]);
            } else {
                byFolder[static_cast<std::size_t>(joined[i])].push_back(fresh[i]);
                ++report.joined;
            }
        }
        for (std::size_t f = 0; f < folders.size(); ++f) {
            if (!byFolder[f].empty()) {
                addAlbums(state,
                          albumIntoFolder(state.albums, folders[f].folder, byFolder[f], options,
                                          settings.dateFormatIndex),
                          report);
            }
        }
    } else {
        rest = std::move(fresh);
    }
    if (!rest.empty()) {
        std::vector<Proposal> proposals = suggestAlbums(rest, settings);
        const std::vector<std::string> names = distinctProposalNames(proposals, state.albums);
        for (std::size_t i = 0; i < proposals.size(); ++i) {
            proposals[i].name = names[i];
        }
        addAlbums(state, albumsFromProposals(state.albums, rest, proposals, options), report);
    }
    return report;
}

}  // namespace dz
