#include "duplicates/AnalysisPass.h"

#include "duplicates/PictureAnalysis.h"

namespace dz {

AnalysisOutcome analyseCatalogue(std::vector<PictureRecord>& catalogue, const AnalysisHooks& hooks) {
    AnalysisOutcome outcome;
    for (std::size_t i = 0; i < catalogue.size(); ++i) {
        const int position = static_cast<int>(i) + 1;
        if (hooks.beforePicture && !hooks.beforePicture(position)) {
            outcome.stopped = true;
            return outcome;
        }
        ++outcome.visited;
        if (!isAnalysed(catalogue[i])) {
            ++outcome.attempted;
            analysePicture(catalogue[i]);
        }
        if (hooks.afterPicture) {
            hooks.afterPicture(position);
        }
    }
    return outcome;
}

}  // namespace dz
