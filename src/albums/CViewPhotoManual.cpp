#include "albums/CViewPhoto.h"

namespace dz {

void CViewPhoto::openManualRange() {}

}  // namespace dz
