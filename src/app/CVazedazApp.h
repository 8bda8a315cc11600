#pragma once

#include "platform/FileSystem.h"
#include "platform/Host.h"

namespace dz {

// The application: runs the main window modally for the life of the program.
class CVazedazApp {
public:
    CVazedazApp(Host& host, FileSystem& fileSystem) : host_(host), fileSystem_(fileSystem) {}
    // Returns when the main window has ended.
    int run();

private:
    Host& host_;
    FileSystem& fileSystem_;
};

}  // namespace dz
