#pragma once

#include "app/AppState.h"
#include "app/CVazedazDlg.h"
#include "platform/FileSystem.h"
#include "platform/Host.h"

#include <string>

namespace dz {

// A main window of its own, started as the program starts and given one
// session file as File > Load Session gives it: settings words, rescan of
// the source, albums and picture records, with the window's messages.
class LoadedSession {
public:
    LoadedSession(Host& host, FileSystem& fileSystem);
    LoadedSession(const LoadedSession&) = delete;
    LoadedSession& operator=(const LoadedSession&) = delete;

    // False when the file could not be read or the session was not applied;
    // the window has said why.
    bool load(const std::string& path);

    // Scans `folder` as a new source, as Select source does (the main
    // window's Picture files choice, the current date rules, one timeline),
    // without offering remembered clocks: a script sets its own. False when
    // the folder cannot be read.
    bool scan(const std::string& folder);

    AppState& state() { return state_; }
    CVazedazDlg& window() { return window_; }
    std::vector<PictureRecord>& catalogue();

private:
    AppState state_;
    CVazedazDlg window_;
    std::vector<PictureRecord> noCatalogue_;
};

}  // namespace dz
