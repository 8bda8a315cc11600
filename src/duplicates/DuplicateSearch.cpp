#include "duplicates/DuplicateSearch.h"

namespace dz {

DuplicateSearchResult findDuplicates(std::vector<PictureRecord>& catalogue, double threshold) {
    DuplicateSearchResult result;
    result.analysis = analyseCatalogue(catalogue);
    if (threshold > 0.0) {
        analyseOwnPixelsOfCatalogue(catalogue);
    }
    result.comparison = compareCatalogue(catalogue, {}, threshold);
    result.lines = duplicateListLines(result.comparison.groups, catalogue, threshold > 0.0);
    return result;
}

}  // namespace dz
