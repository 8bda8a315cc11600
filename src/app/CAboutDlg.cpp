#include "app/CAboutDlg.h"

#include "app/ProgramVersion.h"

#include <string>

namespace dz {

namespace {
constexpr int kHelpTopic = 23;
}

CAboutDlg::CAboutDlg(Host& host) : Window(host, "CAboutDlg", "About Dezoredu", kHelpTopic) {
    addControl(kVersion, ControlKind::Static, std::string("Dezoredu Version ") + kProgramVersion);
    addControl(kBuild, ControlKind::Static, "Build: 040407");
    addControl(kCredits, ControlKind::Static,
               "Pictures are read and written with libjpeg-turbo (the Independent JPEG Group's "
               "software), libpng with zlib, and libtiff.");
    addControl(kOk, ControlKind::Button, "OK");
}

void CAboutDlg::onCommand(int id) {
    if (id == kOk) {
        endDialog(kResultOk);
    }
}

}  // namespace dz
