#pragma once

#include "platform/FileSystem.h"
#include "platform/Host.h"

#include <string>
#include <utility>

namespace dz {

// The application: runs the main window modally for the life of the program.
class CVazedazApp {
public:
    CVazedazApp(Host& host, FileSystem& fileSystem) : host_(host), fileSystem_(fileSystem) {}
    // A folder to scan as the source once the main window is up ("dezoredu FOLDER").
    void setStartSource(std::string folder) { startSource_ = std::move(folder); }
    // Returns when the main window has ended.
    int run();

private:
    Host& host_;
    FileSystem& fileSystem_;
    std::string startSource_;
};

}  // namespace dz
