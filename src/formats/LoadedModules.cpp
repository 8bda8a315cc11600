#include "formats/LoadedModules.h"

#include "platform/ProgramModule.h"

namespace dz {

// Each module is one process-wide resource: opened once, on first use, by a
// guarded function-local static, and kept until the process ends.

const DzVideoModule* videoModule(std::string& problem) {
    static const ProgramModule module = openProgramModule(DZ_VIDEO_MODULE_FILE, DZ_VIDEO_MODULE_TABLE,
                                                          DZ_VIDEO_MODULE_VERSION, programModuleFolders());
    problem = module.problem;
    return static_cast<const DzVideoModule*>(module.table);
}

const DzHeifModule* heifModule(std::string& problem) {
    static const ProgramModule module = openProgramModule(DZ_HEIF_MODULE_FILE, DZ_HEIF_MODULE_TABLE,
                                                          DZ_HEIF_MODULE_VERSION, programModuleFolders());
    problem = module.problem;
    return static_cast<const DzHeifModule*>(module.table);
}

std::uint64_t videoFramesDecoded() {
    std::string problem;
    const DzVideoModule* module = videoModule(problem);
    return module ? module->framesDecoded() : 0;
}

}  // namespace dz
