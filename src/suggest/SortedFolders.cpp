#include "suggest/SortedFolders.h"

#include "suggest/Proposal.h"

#include <algorithm>
#include <map>

namespace dz {

std::vector<SortedFolder> sortedFoldersOf(const std::vector<std::pair<std::string, std::int64_t>>& placed) {
    std::map<std::string, SortedFolder> byFolder;
    for (const auto& [folder, moment] : placed) {
        const auto [it, made] = byFolder.try_emplace(folder, SortedFolder{folder, moment, moment});
        if (!made) {
            it->second.firstMoment = std::min(it->second.firstMoment, moment);
            it->second.lastMoment = std::max(it->second.lastMoment, moment);
        }
    }
    std::vector<SortedFolder> folders;
    folders.reserve(byFolder.size());
    for (auto& entry : byFolder) {
        folders.push_back(std::move(entry.second));
    }
    std::stable_sort(folders.begin(), folders.end(),
                     [](const SortedFolder& a, const SortedFolder& b) { return a.firstMoment < b.firstMoment; });
    return folders;
}

namespace {

// How far a moment lies outside a span; 0 within it.
std::int64_t distanceOutside(const SortedFolder& folder, std::int64_t moment) {
    if (moment < folder.firstMoment) {
        return folder.firstMoment - moment;
    }
    return moment > folder.lastMoment ? moment - folder.lastMoment : 0;
}

}  // namespace

std::vector<int> foldersJoined(const std::vector<SuggestShot>& shots, const std::vector<SortedFolder>& folders,
                               std::int64_t gapSeconds) {
    std::vector<int> joined(shots.size(), -1);
    for (std::size_t i = 0; i < shots.size(); ++i) {
        std::int64_t nearest = gapSeconds;
        for (std::size_t f = 0; f < folders.size(); ++f) {
            const std::int64_t distance = distanceOutside(folders[f], shots[i].moment);
            if (distance <= nearest && (joined[i] < 0 || distance < nearest)) {
                nearest = distance;
                joined[i] = static_cast<int>(f);
            }
        }
    }
    return joined;
}

namespace {

// "2024/Kyoto" as an album's directory name and its own folder.
std::pair<std::string, std::string> splitFolder(const std::string& folder) {
    const std::size_t slash = folder.rfind('/');
    if (slash == std::string::npos) {
        return {"\\", folder};
    }
    return {"/" + folder.substr(0, slash), folder.substr(slash + 1)};
}

}  // namespace

ProposalAlbums albumIntoFolder(const AlbumList& existing, const std::string& folder,
                               const std::vector<SuggestShot>& shots, const ProposalAlbumOptions& options,
                               int dateFormatIndex) {
    if (shots.empty()) {
        return {};
    }
    Proposal whole = describeProposal(shots, 0, shots.size() - 1, dateFormatIndex);
    ProposalAlbumOptions into = options;
    const auto [dirName, name] = splitFolder(folder);
    into.dirName = dirName;
    into.createSubDir = !name.empty();
    whole.name = name;
    return albumsFromProposals(existing, shots, {whole}, into);
}

}  // namespace dz
