#pragma once

#include "journal/RunRecord.h"

#include <optional>
#include <string>
#include <vector>

namespace dz {

class FileSystem;

// Reads a run back from its journal. A last line cut short by a crash is
// passed over; any other line that does not read, or a file without its
// plan, gives nullopt with the reason in `error`.
std::optional<RunRecord> readJournal(FileSystem& fileSystem, const std::string& path, std::string& error);

// The same from the journal's text.
std::optional<RunRecord> parseJournal(const std::string& text, std::string& error);

// The journals of runs into `targetFolder`, oldest first.
std::vector<std::string> journalsOf(FileSystem& fileSystem, const std::string& targetFolder);

}  // namespace dz
