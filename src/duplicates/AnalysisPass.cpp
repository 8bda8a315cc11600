#include "duplicates/AnalysisPass.h"

#include "duplicates/PictureAnalysis.h"

namespace dz {

namespace {

AnalysisOutcome eachPicture(std::vector<PictureRecord>& catalogue, const AnalysisHooks& hooks,
                            bool (*done)(const PictureRecord&), void (*analyse)(PictureRecord&)) {
    AnalysisOutcome outcome;
    for (std::size_t i = 0; i < catalogue.size(); ++i) {
        const int position = static_cast<int>(i) + 1;
        if (hooks.beforePicture && !hooks.beforePicture(position)) {
            outcome.stopped = true;
            return outcome;
        }
        ++outcome.visited;
        if (!done(catalogue[i])) {
            ++outcome.attempted;
            analyse(catalogue[i]);
        }
        if (hooks.afterPicture) {
            hooks.afterPicture(position);
        }
    }
    return outcome;
}

}  // namespace

AnalysisOutcome analyseCatalogue(std::vector<PictureRecord>& catalogue, const AnalysisHooks& hooks) {
    return eachPicture(catalogue, hooks, isAnalysed, analysePicture);
}

}  // namespace dz
