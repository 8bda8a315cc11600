#include "albums/FilmImageList.h"

namespace dz {

namespace {

std::uint16_t to565(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return static_cast<std::uint16_t>(((red >> 3) << 11) | ((green >> 2) << 5) | (blue >> 3));
}

// Widens each channel back to 8 bits, repeating the high bits so white stays 255.
void from565(std::uint16_t v, std::uint8_t& red, std::uint8_t& green, std::uint8_t& blue) {
    const unsigned r = (v >> 11) & 0x1f;
    const unsigned g = (v >> 5) & 0x3f;
    const unsigned b = v & 0x1f;
    red = static_cast<std::uint8_t>((r << 3) | (r >> 2));
    green = static_cast<std::uint8_t>((g << 2) | (g >> 4));
    blue = static_cast<std::uint8_t>((b << 3) | (b >> 2));
}

}  // namespace

std::vector<std::uint16_t> FilmImageList::pack(const CRaster& thumbnail) {
    // Copied only when it must be brought to the box first.
    CRaster resized;
    if (thumbnail.isValid() && (thumbnail.width() != kWidth || thumbnail.height() != kHeight)) {
        resized = thumbnail;
        resized.resample(kWidth, kHeight);
    }
    const CRaster& sized = resized.isValid() ? resized : thumbnail;
    std::vector<std::uint16_t> packed(kPixels, 0);
    if (!sized.isValid() || sized.width() != kWidth || sized.height() != kHeight) {
        return packed;
    }
    const int bytes = sized.bytesPerPixel();
    for (int y = 0; y < kHeight; ++y) {
        const std::uint8_t* row = sized.topDownRow(y);
        for (int x = 0; x < kWidth; ++x) {
            const std::uint8_t* p = row + static_cast<std::size_t>(x) * bytes;
            const std::size_t at = static_cast<std::size_t>(y) * kWidth + x;
            packed[at] = bytes >= 3 ? to565(p[2], p[1], p[0]) : to565(p[0], p[0], p[0]);
        }
    }
    return packed;
}

void FilmImageList::reset(const std::vector<PictureRecord>& pictures) {
    release();
    slots_.resize(pictures.size());
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        slots_[i].picture = pictures[i];
        slots_[i].negative = pictures[i].isNegative != 0;
    }
    missing_ = size();
}

void FilmImageList::release() {
    slots_.clear();
    pixels_.clear();
    used_.clear();
    shown_.clear();
    missing_ = 0;
}

void FilmImageList::setState(Slot& slot, State state) {
    missing_ += (state == State::Missing) - (slot.state == State::Missing);
    slot.state = state;
}

bool FilmImageList::remake(int index, bool negative, ThumbnailShape shape) {
    if (index < 0 || index >= size()) {
        return false;
    }
    Slot& slot = slots_[index];
    ++slot.version;
    slot.negative = negative;
    slot.shape = shape;
    setState(slot, State::Missing);
    drop(index);
    return true;
}

bool FilmImageList::replace(int index, const CRaster& thumbnail, bool negative, ThumbnailShape shape) {
    if (!remake(index, negative, shape)) {
        return false;
    }
    setState(slots_[index], State::Made);
    keep(index, pack(thumbnail));
    return true;
}

bool FilmImageList::store(int index, std::uint32_t version, const CRaster& thumbnail) {
    if (index < 0 || index >= size() || slots_[index].version != version) {
        return false;
    }
    // Only a thumbnail made now is taken; a "made" without pixels never
    // drops the pixels another job brought first.
    setState(slots_[index], State::Made);
    if (thumbnail.isValid()) {
        keep(index, pack(thumbnail));
    }
    return true;
}

bool FilmImageList::storePacked(int index, std::uint32_t version, std::vector<std::uint16_t> packed) {
    if (index < 0 || index >= size() || slots_[index].version != version || packed.size() != kPixels) {
        return false;
    }
    setState(slots_[index], State::Made);
    keep(index, std::move(packed));
    return true;
}

void FilmImageList::setPlaceholder(int index) {
    if (index >= 0 && index < size()) {
        drop(index);
        setState(slots_[index], State::Placeholder);
        ++slots_[index].drawn;
    }
}

bool FilmImageList::hasPixels(int index) const {
    if (index < 0 || index >= size()) {
        return false;
    }
    return slots_[index].state == State::Placeholder || pixels_.count(index) != 0;
}

ThumbnailJob FilmImageList::job(int index) const {
    const Slot& slot = slots_.at(index);
    return ThumbnailJob{index, slot.version, slot.picture, slot.negative, slot.shape};
}

void FilmImageList::setShown(const std::vector<int>& indexes) {
    shown_ = std::unordered_set<int>(indexes.begin(), indexes.end());
}

void FilmImageList::keep(int index, std::vector<std::uint16_t> packed) {
    drop(index);
    used_.push_front(index);
    pixels_[index] = Pixels{std::move(packed), used_.begin()};
    ++slots_[index].drawn;
    // The least recently used go first; what is in view stays.
    auto candidate = used_.end();
    while (static_cast<int>(pixels_.size()) > kept_ && candidate != used_.begin()) {
        --candidate;
        const int old = *candidate;
        if (shown_.count(old) != 0 || old == index) {
            continue;
        }
        candidate = used_.erase(candidate);
        pixels_.erase(old);
        ++slots_[old].drawn;
    }
}

void FilmImageList::drop(int index) {
    const auto found = pixels_.find(index);
    if (found != pixels_.end()) {
        used_.erase(found->second.used);
        pixels_.erase(found);
        ++slots_[index].drawn;
    }
}

const std::vector<std::uint16_t>* FilmImageList::pixels(int index) const {
    const auto found = pixels_.find(index);
    if (found == pixels_.end()) {
        return nullptr;
    }
    used_.splice(used_.begin(), used_, found->second.used);
    return &found->second.rgb565;
}

CRaster FilmImageList::image(int index) const {
    if (index < 0 || index >= size()) {
        return CRaster{};
    }
    if (slots_[index].state == State::Placeholder) {
        return placeholderThumbnail(slots_[index].negative);
    }
    const std::vector<std::uint16_t>* packed = pixels(index);
    CRaster out;
    if (!packed || !out.createBlank(kWidth, kHeight, 24)) {
        return CRaster{};
    }
    for (int y = 0; y < kHeight; ++y) {
        std::uint8_t* row = out.topDownRow(y);
        for (int x = 0; x < kWidth; ++x) {
            std::uint8_t* p = row + static_cast<std::size_t>(x) * 3;
            from565((*packed)[static_cast<std::size_t>(y) * kWidth + x], p[2], p[1], p[0]);
        }
    }
    return out;
}

std::vector<std::uint8_t> FilmImageList::imageRgb888(int index) const {
    if (index < 0 || index >= size()) {
        return {};
    }
    if (slots_[index].state == State::Placeholder) {
        const CRaster shown = image(index);
        std::vector<std::uint8_t> rgb(kPixels * 3);
        for (int y = 0; y < kHeight; ++y) {
            const std::uint8_t* row = shown.topDownRow(y);
            for (int x = 0; x < kWidth; ++x) {
                const std::size_t at = (static_cast<std::size_t>(y) * kWidth + x) * 3;
                rgb[at] = row[x * 3 + 2];
                rgb[at + 1] = row[x * 3 + 1];
                rgb[at + 2] = row[x * 3];
            }
        }
        return rgb;
    }
    const std::vector<std::uint16_t>* packed = pixels(index);
    if (!packed) {
        return {};
    }
    std::vector<std::uint8_t> rgb(kPixels * 3);
    for (std::size_t i = 0; i < kPixels; ++i) {
        from565((*packed)[i], rgb[i * 3], rgb[i * 3 + 1], rgb[i * 3 + 2]);
    }
    return rgb;
}

std::uint32_t FilmImageList::imageVersion(int index) const {
    return index >= 0 && index < size() ? slots_[index].drawn : 0;
}

}  // namespace dz
