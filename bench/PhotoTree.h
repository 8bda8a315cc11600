#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace dz::bench {

inline constexpr int kTopFolders = 6;
inline constexpr int kSubFolders = 4;  // per top folder: 6 + 6 * 4 = 30 folders
inline constexpr int kFilesPerFolder = 100;

// Every *.jpg below `folder`, sorted.
std::vector<std::filesystem::path> findPhotos(const std::filesystem::path& folder);

// Fills `root` with copies of the photos over 30 folders; hard
// links where the file system allows them (reading a link reads the same
// bytes), else copies. Returns the files made.
std::vector<std::string> buildTree(const std::filesystem::path& root,
                                   const std::vector<std::filesystem::path>& photos,
                                   int filesPerFolder = kFilesPerFolder);

// A fresh folder under the temporary folder; empty on failure.
std::filesystem::path makeTempFolder(const char* prefix);

}  // namespace dz::bench
