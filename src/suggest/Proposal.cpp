#include "suggest/Proposal.h"

#include "albums/DateTimeText.h"

#include <algorithm>

namespace dz {

namespace {

constexpr const char* kNear = "near ";
constexpr std::size_t kNearLength = 5;

// dateText's brackets belong to file names, not to an album's name.
std::string withoutBrackets(const std::string& text) {
    if (text.size() >= 2 && text.front() == '[' && text.back() == ']') {
        return text.substr(1, text.size() - 2);
    }
    return text;
}

}  // namespace

std::string placeOfShortName(const std::string& shortName) {
    if (shortName.rfind(kNear, 0) == 0) {
        return shortName.substr(kNearLength);
    }
    return shortName;
}

std::string proposalName(const std::string& date, const std::vector<std::string>& places) {
    std::string name = date;
    for (std::size_t i = 0; i < places.size(); ++i) {
        name += (i == 0 ? " " : " & ") + places[i];
    }
    return name;
}

Proposal describeProposal(const std::vector<SuggestShot>& shots, std::size_t first, std::size_t last,
                          int dateFormatIndex) {
    Proposal proposal;
    proposal.first = first;
    proposal.last = last;
    proposal.count = last - first + 1;
    proposal.startKey = shots[first].key;
    proposal.endKey = shots[last].key;
    for (std::size_t i = first; i <= last; ++i) {
        const SuggestShot& shot = shots[i];
        proposal.bytes += shot.size;
        if (shot.place.empty()) {
            continue;
        }
        std::string place = placeOfShortName(shot.place);
        if (std::find(proposal.places.begin(), proposal.places.end(), place) == proposal.places.end()) {
            proposal.places.push_back(std::move(place));
        }
    }
    // The shown time read in the current zone is the date at the place, as
    // every other date text of the picture.
    proposal.name = proposalName(withoutBrackets(dateText(shots[first].shownTime, dateFormatIndex)), proposal.places);
    return proposal;
}

std::vector<Proposal> proposalsAt(const std::vector<SuggestShot>& shots, const std::vector<std::size_t>& starts,
                                  int dateFormatIndex) {
    std::vector<Proposal> proposals;
    if (shots.empty()) {
        return proposals;
    }
    std::size_t first = 0;
    for (const std::size_t start : starts) {
        if (start <= first || start >= shots.size() || shots[start].key == shots[start - 1].key) {
            continue;
        }
        proposals.push_back(describeProposal(shots, first, start - 1, dateFormatIndex));
        first = start;
    }
    proposals.push_back(describeProposal(shots, first, shots.size() - 1, dateFormatIndex));
    return proposals;
}

}  // namespace dz
