// The loader of the program's modules, on the real video module built beside
// this test and on folders made here.
#include "platform/ProgramModule.h"

#include "formats/VideoModuleAbi.h"

#include "TempDir.h"

#include <gtest/gtest.h>

namespace dz {
namespace {

using test::TempDir;

TEST(ProgramModule, FoundInTheFirstFolderThatHoldsItAndRefusedWhenMissingDamagedOrOfAnotherVersion) {
    TempDir empty;
    TempDir damaged;
    damaged.write(DZ_VIDEO_MODULE_FILE, "not a shared object");
    std::vector<std::string> folders = {empty.str()};
    for (const std::string& folder : programModuleFolders()) {
        folders.push_back(folder);
    }

    const ProgramModule found =
        openProgramModule(DZ_VIDEO_MODULE_FILE, DZ_VIDEO_MODULE_TABLE, DZ_VIDEO_MODULE_VERSION, folders);
    ASSERT_TRUE(found.loaded()) << found.problem;
    EXPECT_EQ(static_cast<const DzVideoModule*>(found.table)->version, DZ_VIDEO_MODULE_VERSION);

    const struct {
        const char* name;
        std::vector<std::string> folders;
        const char* symbol;
        std::uint32_t version;
        std::string problem;
    } refused[] = {
        {"missing", {empty.str()}, DZ_VIDEO_MODULE_TABLE, DZ_VIDEO_MODULE_VERSION,
         "the program's module dezoredu-video.so is not installed"},
        {"damaged", {damaged.str(), empty.str()}, DZ_VIDEO_MODULE_TABLE, DZ_VIDEO_MODULE_VERSION,
         "the program's module " + damaged.str() + "/dezoredu-video.so cannot be loaded: "},
        {"no table", folders, "dz_no_such_table", DZ_VIDEO_MODULE_VERSION, "is of another version"},
        {"other version", folders, DZ_VIDEO_MODULE_TABLE, DZ_VIDEO_MODULE_VERSION + 1, "is of another version"},
    };
    for (const auto& c : refused) {
        const ProgramModule module = openProgramModule(DZ_VIDEO_MODULE_FILE, c.symbol, c.version, c.folders);
        EXPECT_FALSE(module.loaded()) << c.name;
        EXPECT_NE(module.problem.find(c.problem), std::string::npos) << c.name << ": " << module.problem;
    }
}

}  // namespace
}  // namespace dz
