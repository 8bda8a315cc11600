#pragma once

#include "albums/AlbumWorkspace.h"
#include "albums/CAdvancedFilter.h"
#include "albums/CViewLarge.h"
#include "albums/VirtualFilm.h"
#include "platform/Window.h"

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace dz {

// "Edit Album": shapes one album (the current album of the workspace) on the
// virtual film. It works on the album list's record in place.
//
// Results: kResultSave after Save Album, kResultDiscard after Discard or when
// the window closes because of a picture it cannot show. Esc and the close
// box are handled as Discard (snapshots put back, result kResultDiscard), so
// no half-edited range or picture assignment is ever kept.
//
// The host calls onShown() once the window is on screen: the film's items
// are made then, and its thumbnails follow in the background, taken in by
// onIdle() (the host calls it while it returns true), so the window answers
// the user all along and Discard stops the work.
class CViewPhoto final : public Window {
public:
    static constexpr int kResultSave = kResultOk;
    static constexpr int kResultDiscard = 8;

    static constexpr int kTopLine = 1051;
    static constexpr int kPath = 1072;
    static constexpr int kDirName = 1116;
    static constexpr int kName = 1115;
    static constexpr int kCreateSubDir = 1117;
    static constexpr int kKeepName = 1118;
    static constexpr int kSplitByDays = 1119;
    // Numbered within the album, without spaces or brackets.
    static constexpr int kSortableNames = 1120;
    static constexpr int kAddDate = 1029;
    static constexpr int kAddTime = 1031;
    static constexpr int kAddCameraModel = 1033;
    static constexpr int kPictureInfo = 1164;
    static constexpr int kSave = 1;
    static constexpr int kDiscard = 8;
    static constexpr int kStatus = 1073;
    static constexpr int kSetStart = 1049;
    static constexpr int kSize = 1157;
    static constexpr int kClearStart = 1053;
    static constexpr int kStartText = 1056;
    static constexpr int kFilm = 1040;
    static constexpr int kEndText = 1057;
    static constexpr int kSetEnd = 1048;
    static constexpr int kClearEnd = 1050;
    static constexpr int kSortLine = 1071;
    static constexpr int kTotalSize = 1158;
    static constexpr int kMenuViewOptions = 32773;
    static constexpr int kMenuManualRange = 32784;
    static constexpr int kMenuAdvancedFilter = 32781;
    static constexpr int kMenuAbout = 32772;
    static constexpr int kPathGroup = 2301;
    static constexpr int kDirGroup = 2302;
    static constexpr int kNameGroup = 2303;
    static constexpr int kAddGroup = 2304;
    static constexpr int kInfoGroup = 2305;
    static constexpr int kFilmGroup = 2306;

    explicit CViewPhoto(AlbumWorkspace& workspace);

    void onInit() override;
    void onShown() override;
    void onCommand(int id) override;
    void onTextChanged(int id) override;
    void onSelectionChanged(int id) override;
    void onClick(int id) override;
    void onDoubleClick(int id) override;
    void onRightClick(int id) override;
    bool onLabelEditBegin(int id) override;
    void onLabelEditEnd(int id, const std::string& text) override;
    void onCancel() override { discard(); }
    void onItemsShown(int id) override;
    // Takes in the thumbnails made in the background; true while more come.
    bool onIdle() override;

    // The large viewer while it is open, else null.
    CViewLarge* largeViewer() { return largeOpen_ ? large_.get() : nullptr; }
    // The Advanced Filter window while it is open, else null.
    CAdvancedFilter* advancedFilter() { return filterOpen_ ? filter_.get() : nullptr; }

private:
    Album* album();
    void buildFilm();
    void discard();
    void pictureError(const std::string& path);
    // Range ends.
    void setEnd(bool start);
    void clearEnd(bool start);
    std::string endText(std::uint64_t value) const;
    // Texts.
    void showStatus();
    // The film's order and size; written by each membership pass only.
    void showSortLine();
    void showSummary();
    void showPicture(int item);
    // Save and the boxes.
    void save();
    void boxChanged(int id);
    void openViewOptions();
    // File > Manual time range: the range ends from date and time pickers.
    void openManualRange();
    // File > Advanced Filter Tool: the filter window beside this one.
    void openAdvancedFilter();
    // The filter window goes with this one; after Save it stores its boxes.
    void closeAdvancedFilter(bool saved);
    void openLarge(int item);

    // Set while the film is being made or updated.
    struct FilmBusy {
        explicit FilmBusy(CViewPhoto& w) : window(w) { window.filmBusy_ = true; }
        ~FilmBusy() { window.filmBusy_ = false; }
        FilmBusy(const FilmBusy&) = delete;
        FilmBusy& operator=(const FilmBusy&) = delete;
        CViewPhoto& window;
    };

    AlbumWorkspace& ws_;
    VirtualFilm film_;
    bool filmBusy_ = false;
    bool rebuildPending_ = false;
    std::unique_ptr<CViewLarge> large_;
    bool largeOpen_ = false;
    std::unique_ptr<CAdvancedFilter> filter_;
    bool filterOpen_ = false;
    bool opening_ = false;
    std::vector<std::pair<const PictureBlock*, std::int32_t>> albumIds_;
    std::uint64_t openedStart_ = 0;
    std::uint64_t openedEnd_ = 0;
};

}  // namespace dz
