#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace dz {

// A shared module of the program's own (dezoredu-video.so, dezoredu-heif.so,
// and so on for each heavy library): the only parts linked against those
// libraries, opened on first use so that a run which needs none of them
// starts without loading them. Each module exports one table of plain C
// functions whose first field is its version.
struct ProgramModule {
    const void* table = nullptr;  // null when the module could not be used
    std::string problem;          // why, when it could not

    bool loaded() const { return table != nullptr; }
};

// The folders the program's modules are looked for in, in order: the
// program's own folder (a build tree), then the installed private folder
// beside the program's ("../lib/dezoredu" from its "bin").
std::vector<std::string> programModuleFolders();

// Opens `fileName` from the first of `folders` that holds it and takes its
// table `symbol`, whose first field must be `version`. The module stays
// loaded for the life of the process. Never a crash: a module missing,
// damaged, without the table or of another version gives its problem.
ProgramModule openProgramModule(const std::string& fileName, const char* symbol, std::uint32_t version,
                                const std::vector<std::string>& folders);

}  // namespace dz
