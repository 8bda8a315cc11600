#pragma once

#include "app/AppState.h"
#include "journal/TargetLedger.h"
#include "platform/Host.h"
#include "suggest/Suggestion.h"

#include <ostream>

namespace dz {

// What making a sort's albums found.
struct SortAlbumsReport {
    int alreadyInTarget = 0;  // pictures of the source sorted into the target before
    int joined = 0;           // new pictures that go into an album folder of the target
    int albums = 0;           // albums made, those folders' included
};

// Albums for every picture of the scanned catalogue that the target's ledger
// does not hold: a picture whose moment falls within an album folder the
// target already has, or within the event gap of its ends, goes into that
// folder; the others are grouped by `settings`. The albums join `state`'s
// and their pictures are marked, as accepting proposals does; pictures the
// target holds stay out of every album. A candidate that cannot be read is
// said on `err` and taken as new.
SortAlbumsReport makeSortAlbums(AppState& state, Host& host, TargetLedger& ledger, const SuggestSettings& settings,
                                std::ostream& err);

}  // namespace dz
