// The "Leave out pictures already in the target" choice, kept beside "fl.cfg"
// so that file keeps its layout.
#include "app/Settings.h"

#include "platform/ConfigFolder.h"
#include "platform/Host.h"

#include <cstdio>
#include <memory>

namespace dz {

namespace {

using File = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

std::string leaveOutPath(const std::string& folder) {
    return folder.empty() ? std::string(kLeaveOutSortedFileName) : folder + "/" + kLeaveOutSortedFileName;
}

}  // namespace

bool loadLeaveOutSorted(const std::string& folder) {
    File file(std::fopen(leaveOutPath(folder).c_str(), "rb"), std::fclose);
    return file && std::fgetc(file.get()) == '1';
}

bool saveLeaveOutSorted(const std::string& folder, bool leaveOut, Host& host) {
    if (!folder.empty()) {
        makeFolders(folder);
    }
    File file(std::fopen(leaveOutPath(folder).c_str(), "wb"), std::fclose);
    bool written = false;
    if (file) {
        written = std::fputs(leaveOut ? "1\n" : "0\n", file.get()) >= 0;
        written = (std::fclose(file.release()) == 0) && written;
    }
    if (!written) {
        host.messageBox("Options could not be saved!", "Dezoredu", Icon::Error);
    }
    return written;
}

}  // namespace dz
