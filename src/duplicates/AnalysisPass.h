#pragma once

#include "catalogue/PictureRecord.h"

#include <functional>
#include <vector>

namespace dz {

// What a window sees of a running analysis pass. Positions count from 1.
struct AnalysisHooks {
    // Before each picture; false stops the pass there.
    std::function<bool(int position)> beforePicture;
    // After each picture, analysed or skipped.
    std::function<void(int position)> afterPicture;
};

struct AnalysisOutcome {
    int visited = 0;   // pictures the pass reached
    int attempted = 0; // pictures it tried to decode (those not yet analysed)
    bool stopped = false;
};

// Analyses every catalogue picture that is not analysed yet, in catalogue order.
AnalysisOutcome analyseCatalogue(std::vector<PictureRecord>& catalogue, const AnalysisHooks& hooks = {});

}  // namespace dz
