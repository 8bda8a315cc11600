#pragma once

#include <cstdint>
#include <string>

namespace dz {

class Host;

// The five settings words, in the order of "fl.cfg".
struct Settings {
    std::int32_t dateFormatIndex = 1;
    std::int32_t timeFormatIndex = 1;
    std::int32_t excludeDuplicates = 0;
    std::int32_t moveFiles = 0;
    std::int32_t skinEnabled = 1;
};

inline constexpr const char* kSettingsFileName = "fl.cfg";
// The "Picture files" choice, kept in a file of its own so that "fl.cfg"
// keeps its layout.
inline constexpr const char* kPictureFilesFileName = "formats.cfg";

// Where that file is: in the same folder as "fl.cfg".
std::string pictureFilesSettingsPath(const std::string& folder);

// The "Verify copies" choice, in a file of its own beside "fl.cfg": "1" or "0".
inline constexpr const char* kVerifyCopiesFileName = "verify.cfg";
bool loadVerifyCopies(const std::string& folder);
// On failure shows "Options could not be saved!".
bool saveVerifyCopies(const std::string& folder, bool verify, Host& host);

// The "Leave out pictures already in the target" choice, the same way: "1" or "0".
inline constexpr const char* kLeaveOutSortedFileName = "leaveout.cfg";
bool loadLeaveOutSorted(const std::string& folder);
bool saveLeaveOutSorted(const std::string& folder, bool leaveOut, Host& host);

// The folder whose "fl.cfg" is read and written: `startFolder` when it holds
// one, as the program has always kept it there; otherwise `configFolder`
// (the user's settings folder), or `startFolder` when that is empty.
std::string settingsFolder(const std::string& startFolder, const std::string& configFolder);

// Reads "fl.cfg" in `folder` word by word; a word that cannot be read keeps
// its value, and a file that ends before the fifth word turns the skin on.
// False, changing nothing, when the file cannot be opened.
bool loadSettings(const std::string& folder, Settings& settings);

// Writes the five words, creating `folder` when it is missing; on failure
// shows "Options could not be saved!".
bool saveSettings(const std::string& folder, const Settings& settings, Host& host);

}  // namespace dz
