#include "duplicates/DuplicateSearch.h"

namespace dz {

DuplicateSearchResult findDuplicates(std::vector<PictureRecord>& catalogue) {
    DuplicateSearchResult result;
    result.analysis = analyseCatalogue(catalogue);
    result.comparison = compareCatalogue(catalogue);
    result.lines = duplicateListLines(result.comparison.groups, catalogue);
    return result;
}

}  // namespace dz
