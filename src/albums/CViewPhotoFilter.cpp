#include "albums/CViewPhoto.h"

namespace dz {

void CViewPhoto::openAdvancedFilter() {}

}  // namespace dz
