#pragma once

#include "albums/AlbumMembership.h"
#include "albums/AlbumWorkspace.h"
#include "albums/ThumbnailMaker.h"
#include "albums/ThumbnailPool.h"
#include "platform/Window.h"

#include <functional>
#include <memory>
#include <unordered_map>
#include <optional>
#include <vector>

namespace dz {

// How a film operation ended.
enum class FilmOutcome {
    Done,
    Stopped,  // abortRequest was set: no film
    Closed,   // the user gave up on a bad picture: close the window the Discard way
};

// What the background making of thumbnails is doing.
enum class FilmWork {
    Idle,     // nothing left to make
    Working,  // thumbnails are being made
    Closed,   // the user gave up on a bad picture: close the window the Discard way
};

// The film of one Edit Album window: its list view items over the shared
// film image list, and the operations that make and change them. Items are
// there at once; thumbnails are made by worker threads, those in view first,
// and taken in by work() on the window's thread. The items' texts are made
// when the view draws them, from the film as it is then.
class VirtualFilm final : public ItemTexts {
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
    // The full build: a slot for every picture when the image list is not
    // laid out, then the items; the thumbnails follow through work().
    FilmOutcome build(const std::vector<PictureRecord>* prepared = nullptr);
    // Editing: negative pictures of the album are redrawn on the current side.
    FilmOutcome update();
    // Every free picture is redrawn on the current side.
    FilmOutcome repolarise();

    // Takes in the thumbnails made since the last call, asks about sources
    // that do not load, and gives the workers more. `wait`: first waits a
    // little for a result (for callers that loop until the film is made).
    FilmWork work(bool wait = false);
    // The items first .. last are on screen: their thumbnails come first.
    void showItems(int first, int last);
    // Drops the work not yet started (Discard); running thumbnails are let go.
    void stopWork();
    // Runs once the last thumbnail has been taken in (the window's summary).
    void setAfterWork(std::function<void()> afterWork) { afterWork_ = std::move(afterWork); }
    // Items whose thumbnails are on screen (slots of the image list).
    const std::vector<int>& shownSlots() const { return shownSlots_; }
    // Double click: the item's picture changes side.
    FilmOutcome flip(int item);

    // 1 when free pictures start negative.
    std::int32_t currentSide() const;
    std::string label(int n, const PictureRecord& picture) const;
    // The label as drawn: number and name, date and time, camera, each on a line.
    std::string caption(int n, const PictureRecord& picture) const;

    int itemCount() const override;
    std::string itemLabel(int item) const override;
    std::string itemCaption(int item) const override;
    // The place of the picture, where the timeline names one.
    std::string itemToolTip(int item) const override;

    // Label editing of an item.
    void beginLabelEdit(int item);
    void endLabelEdit(int item, const std::string& text);

private:
    enum class Made { Ok, Closed };

    // Makes the thumbnail, asking about a source that does not load.
    Made thumbnail(const PictureRecord& picture, bool negative, ThumbnailShape shape, CRaster& out);
    void show(const std::string& text);
    void insertItems();
    ThumbnailPool& pool();
    ThumbnailCache cache() const { return ThumbnailCache(ws_.thumbnailCacheFolder); }
    void submit(int slot, bool urgent);
    void feed();
    // A result of the workers; Closed when the user gave up.
    FilmWork takeIn(ThumbnailDone& done);
    void setSide(PictureRecord& picture, std::int32_t side);
    void copySidesToFilm();

    AlbumWorkspace& ws_;
    Control& topLine_;
    Control& list_;
    std::function<void()> afterPass_;
    std::string labelAtBegin_;
    std::function<std::optional<OpenFilterWindow>()> filterWindow_;
    std::function<void()> afterWork_;
    std::unique_ptr<ThumbnailPool> pool_;
    // Slot -> recipe version given to the workers and not yet taken in.
    struct Pending {
        std::uint32_t version = 0;
        bool urgent = false;
    };
    std::unordered_map<int, Pending> pending_;
    std::vector<int> shownSlots_;
    std::size_t items_ = 0;  // items put in the list view by the last build
    int cursor_ = 0;       // where the walk over slots not yet made goes on
    int madeHere_ = 0;     // thumbnails taken in by this film
    bool asking_ = false;  // a question about a picture is open
};

// The messages of a picture that cannot be made into a thumbnail.
inline constexpr const char* kDiskErrorText = "Error while reading from disk";
inline constexpr const char* kDiskErrorCaption = "Disk error";
inline constexpr const char* kPictureErrorCaption = "Picture Error";
std::string pictureErrorText(const std::string& path);

}  // namespace dz
