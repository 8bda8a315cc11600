#include "app/CVazedazDlg.h"

namespace dz {

void CVazedazDlg::processOptions() {}

}  // namespace dz
