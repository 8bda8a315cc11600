#include "duplicates/DuplicateSearch.h"

#include "duplicates/PictureLooks.h"

namespace dz {

DuplicateSearchResult findDuplicates(std::vector<PictureRecord>& catalogue, double threshold) {
    DuplicateSearchResult result;
    result.analysis = analyseCatalogue(catalogue);
    PictureLooks looks;
    if (threshold > 0.0) {
        looks.update(catalogue);
    }
    result.comparison = compareCatalogue(catalogue, {}, threshold, looks.looks());
    result.lines = duplicateListLines(result.comparison.groups, catalogue, threshold > 0.0);
    return result;
}

}  // namespace dz
