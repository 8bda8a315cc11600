#pragma once

#include "platform/RootedFolder.h"

#include <string>
#include <vector>

namespace dz {

// The program's own folders inside a target (`.dezoredu/journal`,
// `.dezoredu/replaced/<run>`): opened beneath the target one level at a time,
// never through a link, each level a folder of this user's; with `create`
// the missing levels are made. A descriptor the caller closes, or an errno.
int openOwnFolder(const RootedFolder& target, const std::string& relative, bool create, int& folderFd);

// Limits on what is read of a target's journals, so nothing planted there
// can stall or exhaust a load.
inline constexpr std::uint64_t kJournalMaxBytes = 2ull << 30;   // 2 GiB
inline constexpr int kJournalMaxSteps = 1000000;
inline constexpr std::size_t kJournalMaxLine = 64 * 1024;
inline constexpr std::size_t kJournalsRead = 100;               // the newest of a folder

// The journals of runs into `targetFolder`: regular files named *.jsonl, the
// newest kJournalsRead of them, oldest first.
std::vector<std::string> journalsOf(const std::string& targetFolder);

}  // namespace dz
