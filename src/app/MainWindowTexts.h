#pragma once

// Texts the main window's commands share.
namespace dz::mainwin {
inline constexpr const char* kCaption = "Dezoredu";
inline constexpr const char* kWaitForScan = "Please wait until the entire folder is scanned.";
inline constexpr const char* kBrowseTitle = "Select folder that hold pictures to process.";
}  // namespace dz::mainwin
