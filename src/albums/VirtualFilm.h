#pragma once

#include "albums/AlbumMembership.h"
#include "albums/AlbumWorkspace.h"
#include "albums/ThumbnailMaker.h"
#include "platform/Window.h"

#include <functional>
#include <optional>
#include <vector>

namespace dz {

// How a film operation ended.
enum class FilmOutcome {
    Done,
    Stopped,  // abortRequest was set: no film
    Closed,   // the user gave up on a bad picture: close the window the Discard way
};

// The film of one Edit Album window: its list view items over the shared
// film image list, and the operations that make and change them.
class VirtualFilm {
public:
    // `topLine` shows progress, `list` is the film list view. `afterPass` runs
    // after every membership pass (the window shows its status lines).
    VirtualFilm(AlbumWorkspace& workspace, Control& topLine, Control& list, std::function<void()> afterPass);

    // Where the pass learns of the open Advanced Filter window (none: no filter).
    void setFilterWindow(std::function<std::optional<OpenFilterWindow>()> source) {
        filterWindow_ = std::move(source);
    }
    // The membership pass with the workspace's settings.
    std::vector<PictureRecord>& pass();
    // The full build: thumbnails when the image list is not built, then the items.
    FilmOutcome build(const std::vector<PictureRecord>* prepared = nullptr);
    // Editing: negative pictures of the album are redrawn on the current side.
    FilmOutcome update();
    // Every free picture is redrawn on the current side.
    FilmOutcome repolarise();
    // Double click: the item's picture changes side.
    FilmOutcome flip(int item);

    // 1 when free pictures start negative.
    std::int32_t currentSide() const;
    std::string label(int n, const PictureRecord& picture) const;
    void relabel(int item);

    // Label editing of an item.
    void beginLabelEdit(int item);
    void endLabelEdit(int item, const std::string& text);

private:
    enum class Made { Ok, Closed };

    // Makes the thumbnail, asking about a source that does not load.
    Made thumbnail(const PictureRecord& picture, bool negative, ThumbnailShape shape, CRaster& out);
    void show(const std::string& text);
    void insertItems();
    void setSide(PictureRecord& picture, std::int32_t side);

    AlbumWorkspace& ws_;
    Control& topLine_;
    Control& list_;
    std::function<void()> afterPass_;
    std::string labelAtBegin_;
    std::function<std::optional<OpenFilterWindow>()> filterWindow_;
};

// The messages of a picture that cannot be made into a thumbnail.
inline constexpr const char* kDiskErrorText = "Error while reading from disk";
inline constexpr const char* kDiskErrorCaption = "Disk error";
inline constexpr const char* kPictureErrorCaption = "Picture Error";
std::string pictureErrorText(const std::string& path);

}  // namespace dz
