#pragma once

#include "suggest/DaySuggestion.h"
#include "suggest/EventSuggestion.h"
#include "suggest/Proposal.h"
#include "suggest/StaySuggestion.h"

#include <vector>

namespace dz {

enum class SuggestMode { Events, Days, Months, Places };

struct SuggestSettings {
    SuggestMode mode = SuggestMode::Events;
    EventSettings events;
    DaySettings days;  // the day cut-off, for days and months
    StaySettings stays;
    int dateFormatIndex = 1;  // of the names' dates, 1 to 10
};

// The shots that begin a proposal in the chosen mode, the first shot first.
std::vector<std::size_t> suggestionStarts(const std::vector<SuggestShot>& shots, const SuggestSettings& settings);

// The proposed albums of the shots (ordered by moment) in the chosen mode.
std::vector<Proposal> suggestAlbums(const std::vector<SuggestShot>& shots, const SuggestSettings& settings);

}  // namespace dz
