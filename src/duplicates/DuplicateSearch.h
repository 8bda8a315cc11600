#pragma once

#include "catalogue/PictureRecord.h"
#include "duplicates/AnalysisPass.h"
#include "duplicates/ComparePass.h"

#include <string>
#include <vector>

namespace dz {

// The whole search without a window: Analize, then Compare, as the
// "Search for duplicates" window runs them.
struct DuplicateSearchResult {
    AnalysisOutcome analysis;
    CompareOutcome comparison;
    // The duplicate list, heading lines and paths.
    std::vector<std::string> lines;
};

// Analyses the pictures not yet analysed, compares them all and marks the
// duplicates in the catalogue; a `threshold` above 0 groups alike pictures
// (the similar mode) and lists each member's distance to its group's head.
DuplicateSearchResult findDuplicates(std::vector<PictureRecord>& catalogue, double threshold = 0.0);

}  // namespace dz
