#pragma once

#include "albums/Album.h"
#include "suggest/ProposalAlbums.h"
#include "suggest/SuggestShot.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace dz {

// An album folder of a target, with the span of the moments of the pictures
// sorted into it before.
struct SortedFolder {
    std::string folder;  // below the target, levels joined by '/'; empty: the target itself
    std::int64_t firstMoment = 0;
    std::int64_t lastMoment = 0;
};

// The folders of (folder, moment) pairs, each with the span of its moments,
// in the order of their first moment.
std::vector<SortedFolder> sortedFoldersOf(const std::vector<std::pair<std::string, std::int64_t>>& placed);

// For each shot, the folder of `folders` it joins, or -1: a shot within a
// folder's span, or within `gapSeconds` of its first or last moment, goes
// where the pictures of its moment went; of two such folders the nearer span.
std::vector<int> foldersJoined(const std::vector<SuggestShot>& shots, const std::vector<SortedFolder>& folders,
                               std::int64_t gapSeconds);

// An album that puts `shots` (ordered by moment) into the folder `folder`
// of the target, made as a proposal's album is, its id after every one of
// `existing`: its folder levels are the folder's, whatever the options say.
ProposalAlbums albumIntoFolder(const AlbumList& existing, const std::string& folder,
                               const std::vector<SuggestShot>& shots, const ProposalAlbumOptions& options,
                               int dateFormatIndex);

}  // namespace dz
