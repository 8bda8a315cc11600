#pragma once

#include "albums/ThumbnailPool.h"
#include "catalogue/PictureRecord.h"
#include "image/CRaster.h"
#include "platform/Window.h"

#include <cstdint>
#include <list>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace dz {

// The thumbnails of every catalogue picture, 160 x 120 each. Every picture
// has a slot with what its thumbnail is made from (the picture, its side and
// shape); pixels, in 16-bit colour (RGB565, top-down rows), are kept only for
// the most recently used thumbnails, so a catalogue of any size stays small
// in memory. A thumbnail whose pixels were let go is made again when wanted.
class FilmImageList final : public ImageStrip {
public:
    static constexpr int kWidth = 160;
    static constexpr int kHeight = 120;
    static constexpr std::size_t kPixels = static_cast<std::size_t>(kWidth) * kHeight;
    // About 77 MB of pixels: many screens of film.
    static constexpr int kDefaultKept = 2000;

    enum class State { Missing, Made, Placeholder };

    explicit FilmImageList(int kept = kDefaultKept) : kept_(kept) {}

    // One slot per picture, in this order, nothing made yet.
    void reset(const std::vector<PictureRecord>& pictures);
    // Forgets every thumbnail (a new scan, duplicate removal).
    void release();

    int size() const { return static_cast<int>(slots_.size()); }
    bool empty() const { return slots_.empty(); }

    // The thumbnail is to be made (again) on this side and in this shape;
    // what was made before is dropped. False for an index outside the list.
    bool remake(int index, bool negative, ThumbnailShape shape);
    // A thumbnail made now on the caller's thread, with its recipe.
    bool replace(int index, const CRaster& thumbnail, bool negative, ThumbnailShape shape);
    // A result of `remake`'s recipe; dropped when the recipe changed since.
    // An invalid thumbnail: made, its pixels are made when it is in view.
    bool store(int index, std::uint32_t version, const CRaster& thumbnail);
    // The same with the thumbnail already packed (by pack(), on a worker).
    bool storePacked(int index, std::uint32_t version, std::vector<std::uint16_t> packed);
    // The thumbnail in the list's 16-bit form; safe on any thread.
    static std::vector<std::uint16_t> pack(const CRaster& thumbnail);
    // The source did not load: the placeholder stands for the picture.
    void setPlaceholder(int index);

    State state(int index) const { return slots_.at(index).state; }
    std::uint32_t version(int index) const { return slots_.at(index).version; }
    const std::string& path(int index) const { return slots_.at(index).picture.path; }
    bool hasPixels(int index) const;
    // Made or placeholder, for every slot.
    bool complete() const { return missing_ == 0; }
    int missing() const { return missing_; }
    // What a job for the slot needs; taken on the list's thread.
    ThumbnailJob job(int index) const;

    // Slots whose pixels are kept whatever else is used (the items in view).
    void setShown(const std::vector<int>& indexes);
    int keptPixels() const { return static_cast<int>(pixels_.size()); }

    // The thumbnail as a 24-bit image; invalid when its pixels are not there.
    CRaster image(int index) const;

    int imageCount() const override { return size(); }
    int imageWidth() const override { return kWidth; }
    int imageHeight() const override { return kHeight; }
    // Empty while the thumbnail is being made.
    std::vector<std::uint8_t> imageRgb888(int index) const override;
    std::uint32_t imageVersion(int index) const override;

private:
    struct Slot {
        PictureRecord picture;
        std::uint32_t version = 0;
        std::uint32_t drawn = 0;  // changes whenever the pixels shown change
        bool negative = false;
        ThumbnailShape shape = ThumbnailShape::KeepProportions;
        State state = State::Missing;
    };
    struct Pixels {
        std::vector<std::uint16_t> rgb565;
        std::list<int>::iterator used;
    };

    const std::vector<std::uint16_t>* pixels(int index) const;
    void keep(int index, std::vector<std::uint16_t> packed);
    void drop(int index);
    void setState(Slot& slot, State state);

    int kept_;
    std::vector<Slot> slots_;
    int missing_ = 0;
    // Pixels by slot, and the slots by last use, most recent first.
    mutable std::unordered_map<int, Pixels> pixels_;
    mutable std::list<int> used_;
    std::unordered_set<int> shown_;
};

}  // namespace dz
