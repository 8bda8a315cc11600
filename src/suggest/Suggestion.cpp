#include "suggest/Suggestion.h"

namespace dz {

std::vector<std::size_t> suggestionStarts(const std::vector<SuggestShot>& shots, const SuggestSettings& settings) {
    switch (settings.mode) {
    case SuggestMode::Events:
        return eventStarts(shots, settings.events);
    case SuggestMode::Days:
        return dayStarts(shots, settings.days);
    case SuggestMode::Months:
        return monthStarts(shots, settings.days);
    case SuggestMode::Places:
        return stayStarts(shots, settings.stays);
    }
    return {};
}

std::vector<Proposal> suggestAlbums(const std::vector<SuggestShot>& shots, const SuggestSettings& settings) {
    return proposalsAt(shots, suggestionStarts(shots, settings), settings.dateFormatIndex);
}

}  // namespace dz
