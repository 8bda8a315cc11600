#pragma once

#include "catalogue/PictureRecord.h"
#include "duplicates/AnalysisPass.h"
#include "duplicates/PictureLooks.h"
#include "image/CRaster.h"
#include "platform/Window.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace dz {

// What the "Search for duplicates" window works on; the main window fills it
// from its own state.
struct DuplicateJob {
    std::vector<PictureRecord>& catalogue;
    // Copies of the pictures taken out, in the order they went.
    std::vector<PictureRecord>& removedPictures;
    std::int64_t& removedBytes;
    std::int32_t& duplicatesFound;
    std::int32_t scannedCount = 0;
    // The shared stop flag of the long loops; Cancel sets it.
    bool& abortRequest;
    // The settings word the check box is bound to.
    std::int32_t& excludeDuplicates;
    // The Edit Album film; cleared so that it is built again from the changed catalogue.
    bool& filmBuilt;
    // Read and write the settings file.
    std::function<void()> reloadSettings{};
    std::function<void()> saveSettings{};
};

// The "Search for duplicates" window: analyses and compares the catalogue
// pictures, lists the groups of equal ones beside a picture viewer, and takes
// pictures out of the catalogue (never off the disk).
class CDuplicates final : public Window {
public:
    static constexpr int kOk = 1;
    static constexpr int kCancel = 2;
    static constexpr int kStatus = 1106;
    static constexpr int kGroups = 1040;
    static constexpr int kCompare = 1108;
    static constexpr int kAnalize = 1109;
    static constexpr int kExclude = 1110;
    static constexpr int kProgress = 1111;
    static constexpr int kViewer = 1112;
    static constexpr int kRemoveSelected = 1113;
    static constexpr int kViewerCaption = 1114;
    // Beside the exact search: groups of pictures that look alike.
    static constexpr int kSimilar = 1115;

    // The viewer area the picture is stretched over.
    static constexpr int kViewerWidth = 240;
    static constexpr int kViewerHeight = 180;

    CDuplicates(Host& host, DuplicateJob job);

    void onInit() override;
    void onCommand(int id) override;
    void onSelectionChanged(int id) override;
    void onCancel() override;

    void analyse();
    void compare();
    void showSelected();
    void removeSelected();
    void accept();

    // A pass is running (its pumps may bring further commands).
    bool running() const { return running_; }

private:
    // Takes every catalogue picture that `which` picks out of the catalogue;
    // returns how many went.
    std::size_t takeOut(const std::function<bool(const PictureRecord&)>& which);
    void runCompare();
    bool lookAtPictures();
    // Starts the progress bar; the hooks pump, stop on Cancel and step it.
    AnalysisHooks startAnalysisSteps();
    void showStatus(const std::string& text);
    // Starts the progress bar over the catalogue.
    void startProgress();
    void drawViewer(const CRaster& image);
    void drawPlaceholder();
    // The picture path of the selected list line; empty for a heading.
    std::string selectedPath() const;

    DuplicateJob job_;
    bool running_ = false;
    // The path of each list line (empty for headings): in the similar mode a
    // member's line also shows its distance.
    std::vector<std::string> linePaths_;
    // The pictures' own looks for the similar mode, kept between compares.
    PictureLooks looks_;
};

}  // namespace dz
