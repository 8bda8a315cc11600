#include "duplicates/CDuplicates.h"

#include "formats/PictureDecode.h"

namespace dz {

namespace {

constexpr int kPlaceholderWidth = 8;
constexpr int kPlaceholderHeight = 6;

}  // namespace

std::string CDuplicates::selectedPath() const {
    const Control& list = control(kGroups);
    if (list.selection < 0 || list.selection >= static_cast<int>(list.items.size())) {
        return {};
    }
    const auto line = static_cast<std::size_t>(list.selection);
    // A line put in by other means than a pass is read as a path.
    return linePaths_.size() == list.items.size() ? linePaths_[line] : list.items[line];
}

void CDuplicates::drawViewer(const CRaster& image) {
    Control& viewer = control(kViewer);
    CRaster shown = image.resampled(kViewerWidth, kViewerHeight);
    viewer.pictureWidth = kViewerWidth;
    viewer.pictureHeight = kViewerHeight;
    viewer.picture.assign(static_cast<std::size_t>(kViewerWidth) * kViewerHeight * 3, 0);
    if (!shown.isValid()) {
        return;
    }
    const int bytes = shown.bytesPerPixel();
    for (int y = 0; y < kViewerHeight; ++y) {
        const std::uint8_t* row = shown.topDownRow(y);
        std::uint8_t* out = viewer.picture.data() + static_cast<std::size_t>(y) * kViewerWidth * 3;
        for (int x = 0; x < kViewerWidth; ++x) {
            const std::uint8_t* p = row + static_cast<std::size_t>(x) * bytes;
            // Stored blue, green, red (or one grey byte); shown red, green, blue.
            out[x * 3] = bytes >= 3 ? p[2] : p[0];
            out[x * 3 + 1] = bytes >= 3 ? p[1] : p[0];
            out[x * 3 + 2] = p[0];
        }
    }
}

void CDuplicates::drawPlaceholder() {
    // The all-black 8 x 6 bitmap, stretched over the viewer.
    CRaster black;
    black.createBlank(kPlaceholderWidth, kPlaceholderHeight, 24);
    drawViewer(black);
}

void CDuplicates::showSelected() {
    control(kRemoveSelected).enabled = false;
    control(kViewerCaption).enabled = false;
    const std::string line = selectedPath();
    CRaster picture;
    DecodeOptions options;
    options.wantedWidth = kViewerWidth;
    options.wantedHeight = kViewerHeight;
    if (!line.empty() && decodePictureFile(line, options, picture)) {
        drawViewer(picture);
        control(kViewer).enabled = true;
        control(kViewerCaption).enabled = true;
        control(kRemoveSelected).enabled = true;
    } else {
        drawPlaceholder();
        control(kViewer).enabled = false;
    }
    refresh();
}

void CDuplicates::removeSelected() {
    if (running_ || !control(kRemoveSelected).enabled) {
        return;
    }
    Control& list = control(kGroups);
    const std::string line = selectedPath();
    const std::size_t taken = takeOut([&](const PictureRecord& p) { return p.path == line; });
    if (taken == 0) {
        host().messageBox("Item not removed", "Dezoredu", Icon::Error);
        return;
    }
    if (linePaths_.size() == list.items.size()) {
        linePaths_.erase(linePaths_.begin() + list.selection);
    }
    list.items.erase(list.items.begin() + list.selection);
    list.selection = -1;
    drawPlaceholder();
    control(kViewer).enabled = false;
    refresh();
    // The list is rebuilt from the catalogue without the picture.
    runCompare();
}

}  // namespace dz
