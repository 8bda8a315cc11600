#include "process/CProcess.h"

#include "process/CProcessPreview.h"
#include "process/RunPlan.h"
#include "process/SpacePlan.h"

namespace dz {

CProcess::CProcess(Host& host, FileSystem& fileSystem, ProcessJob job)
    : Window(host, "CProcess", "Albums Processing", 22), fileSystem_(fileSystem), job_(std::move(job)), trust_(job_.dataFolder) {
    addControl(kCloseWindow, ControlKind::Button, "Close Window");
    addControl(kProcessStatus, ControlKind::Static, "Processing...");
    addControl(kAlbumProgress, ControlKind::Progress);
    addControl(kPictureProgress, ControlKind::Progress);
    addControl(kProcessHint, ControlKind::Static, "Processing...");
    addControl(kProcess, ControlKind::Button, "Process");
    addControl(kCancel, ControlKind::Button, "Cancel");
    addControl(kPreview, ControlKind::Button, "Preview");
}

void CProcess::onInit() {
    planSpace();
}

void CProcess::showStatus(const std::string& status, const std::string& hint) {
    control(kProcessStatus).text = status;
    control(kProcessHint).text = hint;
    refresh();
}

void CProcess::planSpace() {
    control(kProcessStatus).text = "Checking for free space...";
    refresh();
    const SpaceQuestion question{job_.moveFiles, job_.targetPath, &job_.catalogue, &job_.albums};
    const SpacePlan plan = dz::planSpace(question, fileSystem_, host());
    control(kProcess).enabled = plan.canProcess;
    control(kCloseWindow).enabled = true;
    control(kCancel).enabled = false;
    showStatus(plan.status, plan.hint);
}

void CProcess::onCommand(int id) {
    switch (id) {
    case kCloseWindow:
        // Closing while pictures are being written stops the run first.
        if (running_) {
            processCancel_ = true;
            closeAfterRun_ = true;
            return;
        }
        endDialog(kResultOk);
        return;
    case kProcess:
        if (running_) {
            return;
        }
        control(kCloseWindow).enabled = false;
        control(kCancel).enabled = true;
        control(kPreview).enabled = false;
        refresh();
        runProcessing();
        return;
    case kPreview:
        if (!running_) {
            showPreview();
        }
        return;
    case kCancel:
        processCancel_ = true;
        control(kCloseWindow).enabled = true;
        control(kProcess).enabled = true;
        refresh();
        return;
    default:
        return;
    }
}

void CProcess::showPreview() {
    processCancel_ = false;
    findAlreadyInTarget();
    CProcessPreview preview(host(), planRun(job_, fileSystem_, &alreadyInTarget_), job_.targetPath);
    preview.setHelpFile(helpFile());
    host().runModal(preview);
}

void CProcess::onCancel() {
    if (running_) {
        processCancel_ = true;
        closeAfterRun_ = true;
        return;
    }
    endDialog(kResultCancel);
}

}  // namespace dz
