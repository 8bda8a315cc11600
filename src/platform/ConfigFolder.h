#pragma once

#include <string>

namespace dz {

// This program's folder for user settings by the XDG base-directory rules:
// `xdgConfigHome`/dezoredu when that is an absolute path (a relative or empty
// one is to be ignored), otherwise `home`/.config/dezoredu. Empty when
// neither gives an absolute folder. Null pointers stand for unset variables.
std::string userConfigFolder(const char* xdgConfigHome, const char* home);

// The same from this process's XDG_CONFIG_HOME and HOME, HOME falling back
// to the user's entry in the password database.
std::string userConfigFolder();

// This program's folder for data of the user's own (the journals' key and
// the records of runs): XDG_DATA_HOME/dezoredu when absolute, otherwise
// HOME/.local/share/dezoredu; empty when neither gives an absolute folder.
std::string userDataFolder();

// Creates `folder` with every missing parent; true when it is a folder then.
bool makeFolders(const std::string& folder);

}  // namespace dz
