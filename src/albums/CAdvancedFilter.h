#pragma once

#include "albums/AlbumMembership.h"
#include "albums/AlbumWorkspace.h"
#include "filter/FilterControls.h"
#include "filter/ValueLists.h"
#include "platform/Window.h"

#include <array>
#include <functional>

namespace dz {

// What the Advanced Filter window drives in the Edit Album window that
// opened it.
struct FilterWindowLinks {
    // Recomputes the album's membership (the open window's filter included)
    // and remakes the film items.
    std::function<void()> rebuildFilm;
    // Shows the film and the window's status lines again.
    std::function<void()> redrawFilm;
    // The window closed by itself: the Edit Album window drops its link.
    std::function<void()> closed;
};

// "Advanced Filter": edits the filter criteria of the album being edited,
// modeless beside the Edit Album window. While it is open the film admits
// only the pictures that pass them. Every choice offers the values found on
// the film; with "Live Update" each change narrows the other choices to the
// pictures that still pass.
class CAdvancedFilter final : public Window {
public:
    static constexpr int kEnable = 1105;
    static constexpr int kLiveUpdate = 1122;
    static constexpr int kResetFilters = 1126;
    static constexpr int kClose = 2;
    static constexpr int kSettingsGroup = 2401;
    static constexpr int kNote = 2402;
    static constexpr int kMaxLabel = 2403;
    static constexpr int kMinLabel = 2404;
    // Row labels: kRowLabelBase + the row's value list.
    static constexpr int kRowLabelBase = 2410;

    CAdvancedFilter(AlbumWorkspace& workspace, FilterWindowLinks links);

    void onInit() override;
    void onCommand(int id) override;
    void onSelectionChanged(int id) override;
    // The close box: as Close.
    void onCancel() override { close(); }

    // The criterion check boxes as shown, for the film's membership pass.
    UseFlags shownFlags() const;
    OpenFilterWindow openWindow() const { return OpenFilterWindow{shownFlags(), nullptr}; }

    // The Edit Album window closes and takes this window with it; the boxes
    // are stored in the album only when it closes by Save.
    void closeWithOwner(bool saved);
    bool isClosed() const { return closed_; }

    // The picture an indicator shows (kIndicator...).
    int indicator(Criterion c) const { return indicators_[static_cast<std::size_t>(c)]; }
    const ValueLists& valueLists() const { return lists_; }

private:
    Album* album();
    void close();
    void storeBoxes();

    // Value lists and choices.
    bool rebuildValueLists();
    void refillAll(bool markIndicators);
    void refill(ValueList list, bool markIndicator);
    void refillRange(Criterion c, bool markIndicator);
    void refillSingle(Criterion c, bool markIndicator);
    void refillCamera();
    void fillModels();
    void fillMin(Criterion c);
    void setIndicator(Criterion c, int state);
    void markIndicator(Criterion c);
    // The film rebuilt and redrawn, then (with "Live Update") the value lists
    // rebuilt with `own` locked.
    void refreshAfter(ValueList own);

    // Handlers.
    void maxChosen(Criterion c);
    void rangeChanged(Criterion c);
    void singleChanged(Criterion c);
    void cameraChanged(bool cameraChoice);
    void boxToggled(Criterion c);
    void enableToggled();
    void resetFilters();
    void resetRow(ValueList list);
    // Stores the selected Max and Min (or the single choice) as the bounds.
    void storeSelection(Criterion c);

    AlbumWorkspace& ws_;
    FilterWindowLinks links_;
    ValueLists lists_;
    std::array<int, kCriterionCount> indicators_{};
    bool initialised_ = false;
    // Set while the window opens: the first fill leaves the indicators to the opening.
    bool opening_ = false;
    bool closed_ = false;
};

}  // namespace dz
