#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace dz {

class CDirReader;
class CliHost;
class FileSystem;

// A command's words: options (words starting with '-' before a "--") and
// the operands around them, in their order.
struct CommandWords {
    std::vector<std::string> options;
    std::vector<std::string> operands;
};

CommandWords splitCommandWords(const std::vector<std::string>& args);

// For commands without options: true, after saying so on `err`, when the
// words hold one.
bool hasUnknownOption(const CommandWords& words, std::ostream& err);

// The single operand of a command without options; nullopt when there is an
// option (said on `err`) or not exactly one operand.
std::optional<std::string> soleOperand(const CommandWords& words, std::ostream& err);

// Catalogues `path` into `reader` as the scan walks a folder, or as one file
// when it is not a folder; says on `err` why it cannot be read. True when
// it was read whole without a prompt on the way.
bool cataloguePath(const std::string& path, CDirReader& reader, FileSystem& fileSystem, const CliHost& host,
                   std::ostream& err);

}  // namespace dz
