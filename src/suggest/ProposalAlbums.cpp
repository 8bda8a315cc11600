#include "suggest/ProposalAlbums.h"

#include <algorithm>
#include <set>

namespace dz {

namespace {

constexpr double kBytesPerMB = 1048576.0;

std::int32_t nextAlbumId(const AlbumList& albums) {
    std::int32_t id = 0;
    for (const Album& album : albums) {
        id = std::max(id, album.id);
    }
    return id + 1;
}

Album albumOf(const std::vector<SuggestShot>& shots, const Proposal& proposal, const ProposalAlbumOptions& options,
              std::int32_t id) {
    Album album;
    album.id = id;
    album.isNew = 0;
    album.name = proposal.name;
    album.dirName = options.dirName;
    album.naming = options.naming;
    album.splitByDays = options.splitByDays ? 1 : 0;
    album.createSubDir = options.createSubDir ? 1 : 0;
    album.keepOriginalName = options.keepOriginalName ? 1 : 0;
    album.addDate = options.addDate ? 1 : 0;
    album.addTime = options.addTime ? 1 : 0;
    album.addCameraModel = options.addCameraModel ? 1 : 0;
    album.setStart(shots[proposal.first].key);
    album.setEnd(shots[proposal.last].key);
    album.pictureCount = static_cast<std::int32_t>(proposal.count);
    // Summed picture by picture in float, as the album window counts it.
    for (std::size_t i = proposal.first; i <= proposal.last; ++i) {
        album.sizeMB += static_cast<float>(static_cast<double>(shots[i].size) / kBytesPerMB);
    }
    return album;
}

}  // namespace

ProposalAlbums albumsFromProposals(const AlbumList& existing, const std::vector<SuggestShot>& shots,
                                   const std::vector<Proposal>& accepted, const ProposalAlbumOptions& options) {
    ProposalAlbums made;
    std::int32_t id = nextAlbumId(existing);
    for (const Proposal& proposal : accepted) {
        if (proposal.first > proposal.last || proposal.last >= shots.size()) {
            continue;
        }
        made.albums.push_back(albumOf(shots, proposal, options, id));
        for (std::size_t i = proposal.first; i <= proposal.last; ++i) {
            made.members.push_back(AlbumMember{shots[i].picture, id});
        }
        ++id;
    }
    return made;
}

std::vector<std::string> distinctProposalNames(const std::vector<Proposal>& proposals, const AlbumList& albums) {
    std::set<std::string> taken;
    for (const Album& album : albums) {
        taken.insert(album.name);
    }
    std::vector<std::string> names;
    for (const Proposal& proposal : proposals) {
        std::string name = proposal.name;
        for (int n = 2; taken.count(name) != 0; ++n) {
            name = proposal.name + " (" + std::to_string(n) + ")";
        }
        taken.insert(name);
        names.push_back(std::move(name));
    }
    return names;
}

void joinAlbums(std::vector<PictureRecord>& pictures, const std::vector<AlbumMember>& members) {
    for (const AlbumMember& member : members) {
        if (member.picture < pictures.size()) {
            pictures[member.picture].albumId = member.albumId;
        }
    }
}

}  // namespace dz
