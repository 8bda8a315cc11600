#pragma once

#include "albums/Album.h"
#include "catalogue/PictureRecord.h"
#include "suggest/Proposal.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace dz {

// How the albums made from proposals name and place their pictures; the
// rest as a new album made by hand starts.
struct ProposalAlbumOptions {
    std::string dirName = "\\";  // the target folder itself
    AlbumNaming naming = AlbumNaming::Sortable;
    bool splitByDays = false;
    bool createSubDir = true;
    bool keepOriginalName = false;
    bool addDate = true;
    bool addTime = true;
    bool addCameraModel = false;
};

// A picture of the catalogue and the album it joins.
struct AlbumMember {
    std::size_t picture = 0;  // index in the catalogue
    std::int32_t albumId = 0;
};

struct ProposalAlbums {
    AlbumList albums;  // the new ones, in the proposals' order
    std::vector<AlbumMember> members;
};

// Saved albums as the album window saves them: ids after every existing
// one, each range from its first picture's key to its last's, the count and
// size of its pictures, its name; and the pictures that join each.
ProposalAlbums albumsFromProposals(const AlbumList& existing, const std::vector<SuggestShot>& shots,
                                   const std::vector<Proposal>& accepted, const ProposalAlbumOptions& options);

// The proposals' names, each once among them and the albums there are
// (" (2)", " (3)" added): two events of one day would otherwise share one
// folder and one numbering.
std::vector<std::string> distinctProposalNames(const std::vector<Proposal>& proposals, const AlbumList& albums);

// Marks each member picture with its album, as saving an album does.
void joinAlbums(std::vector<PictureRecord>& pictures, const std::vector<AlbumMember>& members);

}  // namespace dz
