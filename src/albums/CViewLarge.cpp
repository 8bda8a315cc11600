#include "albums/CViewLarge.h"

#include "formats/PictureDecode.h"

#include <algorithm>

namespace dz {

namespace {
constexpr int kHelpTopic = 19;

struct Placement {
    int width, height, x, y;
};

// Always the proportional rule: ratio 4/3 or more fills the width.
Placement placeInBox(int width, int height) {
    const double ratio = static_cast<double>(width) / height;
    Placement p{};
    if (ratio >= 4.0 / 3.0) {
        p.width = CViewLarge::kWidth;
        p.height = std::max(1, static_cast<int>(CViewLarge::kWidth / ratio));
    } else {
        p.height = CViewLarge::kHeight;
        p.width = std::max(1, static_cast<int>(ratio * CViewLarge::kHeight));
    }
    p.x = CViewLarge::kWidth / 2 - p.width / 2;
    p.y = CViewLarge::kHeight / 2 - p.height / 2;
    return p;
}
}  // namespace

CViewLarge::CViewLarge(Host& host, std::function<void()> onClosed)
    : Window(host, "CViewLarge", "View Large Image", kHelpTopic), onClosed_(std::move(onClosed)) {
    addControl(kFrame, ControlKind::Picture);
    addControl(kPath, ControlKind::Static);
    addControl(kClose, ControlKind::Button, "Close");
}

void CViewLarge::onCommand(int id) {
    if (id != kClose) {
        return;
    }
    freePictures();
    host().closeModeless(*this);
    if (onClosed_) {
        onClosed_();
    }
}

void CViewLarge::freePictures() {
    previous_.clear();
    shown_.clear();
    next_.clear();
    shownIndex_ = -1;
}

bool CViewLarge::compose(const PictureRecord& picture, CRaster& out) {
    CRaster source;
    DecodeOptions options;
    options.wantedWidth = kWidth;
    options.wantedHeight = kHeight;
    out.createBlank(kWidth, kHeight, 24);
    // A picture that does not load shows as the black frame.
    if (!decodePictureFile(picture.path, options, source, ImageFormat::Jpeg)) {
        return true;
    }
    const Placement p = placeInBox(source.width(), source.height());
    if (!source.resample(p.width, p.height)) {
        return false;
    }
    out.paste(source, p.x, p.y);
    return true;
}

bool CViewLarge::show(const std::vector<PictureRecord>& film, int index) {
    const int count = static_cast<int>(film.size());
    if (index < 0 || index >= count) {
        return true;
    }
    if (shownIndex_ >= 0 && index == shownIndex_ + 1 && next_.isValid()) {
        previous_ = std::move(shown_);
        shown_ = std::move(next_);
        next_.clear();
    } else if (shownIndex_ >= 0 && index == shownIndex_ - 1 && previous_.isValid()) {
        next_ = std::move(shown_);
        shown_ = std::move(previous_);
        previous_.clear();
    } else {
        freePictures();
        if (!compose(film[index], shown_)) {
            return false;
        }
    }
    shownIndex_ = index;
    draw(film[index].path);
    if (!next_.isValid() && index + 1 < count && !compose(film[index + 1], next_)) {
        return false;
    }
    if (!previous_.isValid() && index > 0 && !compose(film[index - 1], previous_)) {
        return false;
    }
    return true;
}

void CViewLarge::draw(const std::string& path) {
    Control& frame = control(kFrame);
    frame.pictureWidth = shown_.width();
    frame.pictureHeight = shown_.height();
    frame.picture.assign(static_cast<std::size_t>(shown_.width()) * shown_.height() * 3, 0);
    for (int y = 0; y < shown_.height(); ++y) {
        const std::uint8_t* row = shown_.topDownRow(y);
        std::uint8_t* out = frame.picture.data() + static_cast<std::size_t>(y) * shown_.width() * 3;
        for (int x = 0; x < shown_.width(); ++x) {
            out[x * 3] = row[x * 3 + 2];
            out[x * 3 + 1] = row[x * 3 + 1];
            out[x * 3 + 2] = row[x * 3];
        }
    }
    control(kPath).text = path;
    refresh();
}

}  // namespace dz
