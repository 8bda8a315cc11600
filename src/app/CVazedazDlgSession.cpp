#include "app/CVazedazDlg.h"

namespace dz {

void CVazedazDlg::saveSessionCommand() {}

void CVazedazDlg::loadSessionCommand() {}

}  // namespace dz
