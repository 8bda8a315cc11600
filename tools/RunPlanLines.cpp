#include "RunPlanLines.h"

#include "journal/JsonWriter.h"
#include "platform/FileSystem.h"
#include "process/RunPlan.h"

namespace dz {

void printRunPlan(const ProcessJob& job, FileSystem& fileSystem, std::ostream& out,
                  std::optional<int> alreadyInTarget) {
    const RunPlan plan = planRun(job, fileSystem);
    for (const PlannedPicture& p : plan.pictures) {
        JsonWriter line;
        line.text("source", p.source).text("target", p.target).text("action", actionName(p.action));
        if (!p.reason.empty()) {
            line.text("reason", p.reason);
        }
        out << line.integer("album", p.albumId).unsignedInteger("size", p.size).str() << '\n';
    }
    std::uint64_t free = 0;
    const bool freeKnown = fileSystem.freeSpace(job.targetPath, free);
    JsonWriter summary;
    summary.text("summary", "plan")
        .integer("pictures", plan.pictureCount())
        .unsignedInteger("bytes", plan.bytes)
        .integer("newFolders", static_cast<std::int64_t>(plan.newFolders.size()))
        .integer("clashes", plan.clashes)
        .unsignedInteger("spaceNeeded", plan.bytes);
    if (freeKnown) {
        summary.unsignedInteger("spaceFree", free);
    }
    if (alreadyInTarget) {
        summary.integer("alreadyInTarget", *alreadyInTarget);
    }
    out << summary.str() << '\n';
}

}  // namespace dz
