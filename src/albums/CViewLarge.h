#pragma once

#include "catalogue/PictureRecord.h"
#include "image/CRaster.h"
#include "platform/Window.h"

#include <functional>
#include <vector>

namespace dz {

// "View Large Image": one film picture at 640 x 480, modeless, owned by the
// Edit Album window. It keeps the film neighbours of the shown picture
// decoded, so stepping through the film shows each one without waiting.
class CViewLarge final : public Window {
public:
    static constexpr int kFrame = 1152;
    static constexpr int kPath = 1153;
    static constexpr int kClose = 2;
    static constexpr int kWidth = 640;
    static constexpr int kHeight = 480;

    // `onClosed` tells the owner the window went.
    CViewLarge(Host& host, std::function<void()> onClosed);

    void onCommand(int id) override;
    void onCancel() override { onCommand(kClose); }

    // Shows film picture `index`; false when a picture cannot be resampled.
    bool show(const std::vector<PictureRecord>& film, int index);
    // Forgets every decoded picture.
    void freePictures();
    int shownIndex() const { return shownIndex_; }
    // Neighbours held decoded (for tests): -1 when none.
    int cachedPrevious() const { return previous_.isValid() ? shownIndex_ - 1 : -1; }
    int cachedNext() const { return next_.isValid() ? shownIndex_ + 1 : -1; }

private:
    // Decodes one picture fitted on black; false on a resample failure.
    static bool compose(const PictureRecord& picture, CRaster& out);
    void draw(const std::string& path);

    std::function<void()> onClosed_;
    CRaster previous_;
    CRaster shown_;
    CRaster next_;
    int shownIndex_ = -1;
};

}  // namespace dz
