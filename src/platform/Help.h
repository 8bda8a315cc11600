#pragma once

#include <optional>
#include <string>

namespace dz {

inline constexpr const char* kHelpFileName = "DEZOREDU.HLP";
inline constexpr const char* kHomePageAddress = "https://dezoredu.example.org/";

// Where a help request leads: an HTML page of our own and the anchor of the
// topic in it ("topic-6"; empty for the contents).
struct HelpLocation {
    std::string file;
    std::string anchor;
};

// The help file is looked for at `requestedFile`, its name matched without
// regard to case (the program asks for "DEZOREDU.HLP" and "DEZOREDU.hlp");
// when it is not there, the copy shipped in `shippedFolder` is used.
// Empty when neither exists.
std::optional<HelpLocation> locateHelp(const std::string& requestedFile, int topic,
                                       const std::string& shippedFolder);

// The folder holding the running program, from /proc/self/exe.
std::string programFolder();

}  // namespace dz
