#include "suggest/ProposalEditing.h"

#include <algorithm>

namespace dz {

bool splitProposalAt(std::vector<Proposal>& proposals, const std::vector<SuggestShot>& shots, std::size_t shot,
                     int dateFormatIndex) {
    const auto holder = std::find_if(proposals.begin(), proposals.end(),
                                     [&](const Proposal& p) { return p.first <= shot && shot <= p.last; });
    if (holder == proposals.end() || holder->first == shot || shot >= shots.size() ||
        shots[shot].key == shots[shot - 1].key) {
        return false;
    }
    const std::size_t first = holder->first;
    const std::size_t last = holder->last;
    *holder = describeProposal(shots, first, shot - 1, dateFormatIndex);
    proposals.insert(holder + 1, describeProposal(shots, shot, last, dateFormatIndex));
    return true;
}

bool mergeWithNext(std::vector<Proposal>& proposals, const std::vector<SuggestShot>& shots, std::size_t index,
                   int dateFormatIndex) {
    if (index + 1 >= proposals.size()) {
        return false;
    }
    const auto at = proposals.begin() + static_cast<std::ptrdiff_t>(index);
    *at = describeProposal(shots, at->first, (at + 1)->last, dateFormatIndex);
    proposals.erase(at + 1);
    return true;
}

}  // namespace dz
