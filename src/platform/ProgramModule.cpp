#include "platform/ProgramModule.h"

#include "platform/Help.h"

#include <cstring>
#include <dlfcn.h>
#include <unistd.h>

#ifndef DZ_MODULE_FOLDER_FROM_PROGRAM
#define DZ_MODULE_FOLDER_FROM_PROGRAM "../lib/dezoredu"
#endif

namespace dz {

std::vector<std::string> programModuleFolders() {
    const std::string program = programFolder();
    if (program.empty()) {
        return {};
    }
    return {program, program + "/" DZ_MODULE_FOLDER_FROM_PROGRAM};
}

ProgramModule openProgramModule(const std::string& fileName, const char* symbol, std::uint32_t version,
                                const std::vector<std::string>& folders) {
    ProgramModule module;
    std::string path;
    for (const std::string& folder : folders) {
        const std::string candidate = folder + "/" + fileName;
        if (::access(candidate.c_str(), F_OK) == 0) {
            path = candidate;
            break;
        }
    }
    if (path.empty()) {
        module.problem = "the program's module " + fileName + " is not installed";
        return module;
    }
    // A path with a slash: dlopen takes that file and searches nowhere else.
    void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* why = ::dlerror();
        module.problem = "the program's module " + path + " cannot be loaded: " + (why ? why : "unknown error");
        return module;
    }
    const void* table = ::dlsym(handle, symbol);
    std::uint32_t found = 0;
    if (table != nullptr) {
        std::memcpy(&found, table, sizeof found);
    }
    if (table == nullptr || found != version) {
        module.problem = "the program's module " + path + " is of another version";
        ::dlclose(handle);
        return module;
    }
    // Never closed: the table's functions are used until the process ends.
    module.table = table;
    return module;
}

}  // namespace dz
