#include "app/CVazedazDlg.h"

namespace dz {

void CVazedazDlg::searchDuplicates() {}

}  // namespace dz
