#include "process/SpacePlan.h"

#include "exif/TextFormat.h"
#include "process/FileErrorPrompt.h"

#include <algorithm>
#include <cstdint>

namespace dz {

namespace {

constexpr float kBytesToMB = 1.0f / 1048576.0f;
constexpr float kMarginMB = 5.0f;

bool movesWithinOneDrive(const SpaceQuestion& q, FileSystem& fileSystem) {
    // With nothing catalogued there is no source to share a drive with.
    if (!q.moveFiles || q.catalogue->empty()) {
        return false;
    }
    const std::string targetDrive = driveOf(fileSystem, q.targetPath);
    return targetDrive != "NONE" && driveOf(fileSystem, q.catalogue->front().path) == targetDrive;
}

}  // namespace

std::string driveOf(FileSystem& fileSystem, const std::string& path) {
    if (path.empty()) {
        return "NONE";
    }
    std::string volume = fileSystem.volumeOf(path);
    return volume.empty() ? std::string("NONE") : volume;
}

SpacePlan planSpace(const SpaceQuestion& q, FileSystem& fileSystem, Host& host) {
    SpacePlan plan;
    std::size_t processedCount = 0;
    float needMB = 0;
    if (movesWithinOneDrive(q, fileSystem)) {
        std::uint64_t largest = 0;
        for (const PictureRecord& picture : *q.catalogue) {
            largest = std::max(largest, shotSize(picture));
        }
        needMB = static_cast<float>(largest) * kBytesToMB;
        for (const Album& album : *q.albums) {
            processedCount += album.isProcessed != 0 ? 1 : 0;
        }
    } else {
        for (const Album& album : *q.albums) {
            if (album.isProcessed != 0) {
                ++processedCount;
            } else {
                needMB += album.sizeMB;
            }
        }
    }

    const std::string drive = driveOf(fileSystem, q.targetPath);
    std::uint64_t freeBytes = 0;
    bool ready = fileSystem.freeSpace(q.targetPath, freeBytes);
    while (!ready) {
        if (!reportFileError(host, fileSystem.lastError(), q.targetPath).retry) {
            break;
        }
        ready = fileSystem.freeSpace(q.targetPath, freeBytes);
    }
    const float freeMB = static_cast<float>(static_cast<std::int64_t>(freeBytes)) * kBytesToMB;
    plan.needMB = needMB;
    plan.freeMB = freeMB;

    if (!ready) {
        plan.status = formatText(" Drive %s: not ready!", drive.c_str());
        plan.hint = "Please select other drive.";
    } else if (q.albums->size() == processedCount) {
        plan.status = " Found enough free space.";
        plan.hint = "All albums are already processed.";
    } else if (freeMB < needMB + kMarginMB) {
        plan.status = formatText(" Not enough space on %s:(%4.3fMB)", drive.c_str(), static_cast<double>(freeMB));
        plan.hint = formatText("Please free %4.2fMB aditionl space on %s:", static_cast<double>(needMB - freeMB),
                           drive.c_str());
    } else {
        plan.status = formatText(" Found enough space on %s:(%4.3fMB)", drive.c_str(), static_cast<double>(freeMB));
        plan.hint = q.moveFiles ? "Press 'Process' to create albums. (By move)"
                                : "Press 'Process' to create albums. (By copy)";
        plan.canProcess = true;
    }
    return plan;
}

}  // namespace dz
