#include "albums/CAdvancedFilter.h"

#include "filter/CriterionBounds.h"
#include "filter/FilterMatch.h"

namespace dz {

void CAdvancedFilter::boxToggled(Criterion c) {
    Album* current = album();
    if (!current) {
        return;
    }
    FilterCriteria& f = current->filter;
    const CriterionControls& row = filterRow(valueListOf(c));
    const bool on = control(row.checkBox).checked;
    f.useFlag(c) = on ? 1 : 0;
    if (on) {
        control(row.maxChoice).enabled = true;
        if (row.minChoice != 0) {
            control(row.minChoice).enabled = true;
        }
        // The box ticked on screen is what the album does: a criterion that is
        // switched on is tested from now on, not from the next toggle.
        control(kEnable).checked = true;
        f.enabled = 1;
        links_.rebuildFilm();
        if (closed_) {
            return;
        }
        links_.redrawFilm();
        if (f.liveUpdate != 0) {
            rebuildValueLists();
        } else {
            refill(row.list, true);
        }
        return;
    }
    setIndicator(c, kIndicatorOff);
    storeSelection(c);
    links_.rebuildFilm();
    if (closed_) {
        return;
    }
    links_.redrawFilm();
    if (f.liveUpdate != 0) {
        rebuildValueLists();
    }
    control(row.maxChoice).items.clear();
    control(row.maxChoice).selection = -1;
    control(row.maxChoice).enabled = false;
    if (row.minChoice != 0) {
        control(row.minChoice).items.clear();
        control(row.minChoice).selection = -1;
        control(row.minChoice).enabled = false;
    }
}

void CAdvancedFilter::enableToggled() {
    Album* current = album();
    if (!current) {
        return;
    }
    FilterCriteria& f = current->filter;
    f.enabled = control(kEnable).checked ? 1 : 0;
    resetCriteria(f);
    for (std::size_t i = 0; i < kCriterionCount; ++i) {
        const auto c = static_cast<Criterion>(i);
        const bool offered = f.enabled != 0 && !lists_.isEmpty(valueListOf(c));
        control(filterRow(valueListOf(c)).checkBox).checked = offered;
        setIndicator(c, offered ? kIndicatorActive : kIndicatorOff);
    }
    links_.rebuildFilm();
    if (closed_) {
        return;
    }
    links_.redrawFilm();
    rebuildValueLists();
}

void CAdvancedFilter::resetFilters() {
    Album* current = album();
    if (!current) {
        return;
    }
    resetCriteria(current->filter);
    links_.rebuildFilm();
    if (closed_) {
        return;
    }
    links_.redrawFilm();
    rebuildValueLists();
}

// The row's list is made again from the whole film, as if nothing were
// chosen, and the other lists from the pictures that still pass.
void CAdvancedFilter::resetRow(ValueList list) {
    Album* current = album();
    if (!current) {
        return;
    }
    FilterCriteria& f = current->filter;
    lists_.lockAll();
    if (const auto c = criterionOf(list)) {
        clearCriterion(f, *c);
    }
    const std::int32_t enabled = f.enabled;
    f.enabled = 0;
    const CriterionControls& camera = filterRow(ValueList::Camera);
    control(camera.maxChoice).selection = 0;
    f.camera = "All";
    f.model.clear();
    control(camera.minChoice).items.clear();
    control(camera.minChoice).selection = -1;
    control(camera.minChoice).enabled = false;

    lists_.unlock(ValueList::Camera);
    lists_.unlock(list);
    links_.rebuildFilm();
    if (closed_) {
        lists_.unlockAll();
        return;
    }
    rebuildValueLists();

    lists_.unlockAll();
    f.enabled = enabled;
    links_.rebuildFilm();
    if (closed_) {
        return;
    }
    lists_.lock(list);
    rebuildValueLists();
    lists_.unlockAll();
    links_.redrawFilm();
}

}  // namespace dz
