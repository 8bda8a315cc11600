#include "albums/CAdvancedFilter.h"

#include "filter/CriterionBounds.h"

namespace dz {

namespace {
constexpr int kHelpTopic = 8;
}

CAdvancedFilter::CAdvancedFilter(AlbumWorkspace& workspace, FilterWindowLinks links)
    : Window(workspace.host, "CAdvancedFilter", "Advanced Filter", kHelpTopic),
      ws_(workspace),
      links_(std::move(links)) {
    setHelpFile(workspace.helpFile);
    addControl(kSettingsGroup, ControlKind::Group, "Advanced Filter settings");
    addControl(kMaxLabel, ControlKind::Static, "Max");
    addControl(kMinLabel, ControlKind::Static, "Min");
    for (const CriterionControls& row : kFilterRows) {
        addControl(kRowLabelBase + static_cast<int>(row.list), ControlKind::Static, row.label);
        addControl(row.maxChoice, ControlKind::ComboBox);
        if (row.minChoice != 0) {
            addControl(row.minChoice, ControlKind::ComboBox);
        }
        if (row.checkBox != 0) {
            addControl(row.checkBox, ControlKind::CheckBox);
        }
        addControl(row.reset, ControlKind::Button);
        if (row.indicator != 0) {
            addControl(row.indicator, ControlKind::Picture);
        }
    }
    addControl(kEnable, ControlKind::CheckBox, "Enable Advanced Filtering");
    addControl(kLiveUpdate, ControlKind::CheckBox, "Live Update");
    addControl(kResetFilters, ControlKind::Button, "Reset filters");
    addControl(kClose, ControlKind::Button, "Close");
    addControl(kNote, ControlKind::Static, "To keep filters active don't close this window");
    for (std::size_t i = 0; i < kCriterionCount; ++i) {
        setIndicator(static_cast<Criterion>(i), kIndicatorUnset);
    }
}

Album* CAdvancedFilter::album() {
    return currentAlbum(ws_.albums, ws_.editing);
}

UseFlags CAdvancedFilter::shownFlags() const {
    UseFlags shown{};
    for (std::size_t i = 0; i < kCriterionCount; ++i) {
        shown[i] = control(filterRow(valueListOf(static_cast<Criterion>(i))).checkBox).checked;
    }
    return shown;
}

void CAdvancedFilter::onInit() {
    // Bringing the open window to the front shows it again; it keeps its state.
    if (initialised_) {
        return;
    }
    initialised_ = true;
    Album* current = album();
    if (!current) {
        return;
    }
    FilterCriteria& f = current->filter;
    for (std::size_t i = 0; i < kCriterionCount; ++i) {
        const auto c = static_cast<Criterion>(i);
        const CriterionControls& row = filterRow(valueListOf(c));
        control(row.checkBox).checked = f.useFlag(c) != 0;
        control(row.checkBox).enabled = false;
        control(row.maxChoice).enabled = false;
        if (row.minChoice != 0) {
            control(row.minChoice).enabled = false;
        }
    }
    control(kEnable).checked = f.enabled != 0;
    control(kLiveUpdate).checked = f.liveUpdate != 0;
    const CriterionControls& camera = filterRow(ValueList::Camera);
    control(camera.maxChoice).enabled = false;
    control(camera.minChoice).enabled = false;

    opening_ = true;
    rebuildValueLists();
    opening_ = false;

    const bool editing = ws_.editing.editingAlbum != 0;
    if (editing && f.enabled == 0) {
        // The stored boxes stay as they are, and so do the indicators.
        refresh();
        return;
    }
    std::array<int, kCriterionCount> states{};
    for (std::size_t i = 0; i < kCriterionCount; ++i) {
        const auto c = static_cast<Criterion>(i);
        const bool offered = f.enabled != 0 && !lists_.isEmpty(valueListOf(c));
        control(filterRow(valueListOf(c)).checkBox).checked = offered;
        states[i] = !offered ? kIndicatorOff : editing && holdsValue(f, c) ? kIndicatorChosen : kIndicatorActive;
    }
    // The boxes just set need their choices, which the first fill left empty
    // while the boxes were still off.
    refillAll(false);
    for (std::size_t i = 0; i < kCriterionCount; ++i) {
        setIndicator(static_cast<Criterion>(i), states[i]);
    }
    refresh();
}

void CAdvancedFilter::onCommand(int id) {
    if (closed_) {
        return;
    }
    switch (id) {
    case kClose:
        close();
        return;
    case kEnable:
        enableToggled();
        break;
    case kLiveUpdate:
        if (Album* current = album()) {
            current->filter.liveUpdate = control(kLiveUpdate).checked ? 1 : 0;
        }
        break;
    case kResetFilters:
        resetFilters();
        break;
    default:
        if (const CriterionControls* row = filterRowOfControl(id)) {
            if (id == row->reset) {
                resetRow(row->list);
            } else if (id == row->checkBox) {
                boxToggled(*criterionOf(row->list));
            }
        }
        break;
    }
    refresh();
}

void CAdvancedFilter::onSelectionChanged(int id) {
    const CriterionControls* row = filterRowOfControl(id);
    if (closed_ || !row) {
        return;
    }
    if (row->list == ValueList::Camera) {
        cameraChanged(id == row->maxChoice);
    } else if (row->minChoice == 0) {
        singleChanged(*criterionOf(row->list));
    } else {
        const Criterion c = *criterionOf(row->list);
        if (id == row->maxChoice) {
            maxChosen(c);
        }
        rangeChanged(c);
    }
    refresh();
}

void CAdvancedFilter::storeBoxes() {
    Album* current = album();
    if (!current) {
        return;
    }
    FilterCriteria& f = current->filter;
    for (std::size_t i = 0; i < kCriterionCount; ++i) {
        const auto c = static_cast<Criterion>(i);
        f.useFlag(c) = control(filterRow(valueListOf(c)).checkBox).checked ? 1 : 0;
    }
    f.enabled = control(kEnable).checked ? 1 : 0;
    f.liveUpdate = control(kLiveUpdate).checked ? 1 : 0;
}

void CAdvancedFilter::close() {
    if (closed_) {
        return;
    }
    storeBoxes();
    closed_ = true;
    host().closeModeless(*this);
    if (links_.closed) {
        links_.closed();
    }
}

void CAdvancedFilter::closeWithOwner(bool saved) {
    if (closed_) {
        return;
    }
    if (saved) {
        storeBoxes();
    }
    closed_ = true;
    host().closeModeless(*this);
}

}  // namespace dz
