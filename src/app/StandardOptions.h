#pragma once

#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace dz {

// "NAME VERSION", what --version prints.
std::string versionLine(const std::string& program);

// The options every program and command of ours takes: --help or -h prints
// the usage, --version the version line, both on `out` (standard output, as
// the desktop's conventions have it). 0, the exit status, when `words` hold
// one of them before a "--"; nullopt when they hold none.
std::optional<int> answerStandardOptions(const std::vector<std::string>& words, const std::string& program,
                                         const std::function<void(std::ostream&)>& printUsage, std::ostream& out);

}  // namespace dz
