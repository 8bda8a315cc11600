#include "albums/CAdvancedFilter.h"

#include "filter/CriterionBounds.h"
#include "filter/RangeChoice.h"

#include <algorithm>

namespace dz {

namespace {

const std::string kAll = "All";

template <typename Entry>
std::vector<std::string> textsOf(const std::vector<Entry>& entries) {
    std::vector<std::string> texts;
    texts.reserve(entries.size());
    for (const Entry& e : entries) {
        texts.push_back(e.text);
    }
    return texts;
}

const RangeEntry* entryWithText(const std::vector<RangeEntry>& entries, const std::string& text) {
    const auto it =
        std::find_if(entries.begin(), entries.end(), [&](const RangeEntry& e) { return e.text == text; });
    return it == entries.end() ? nullptr : &*it;
}

int indexOfText(const std::vector<std::string>& items, const std::string& text) {
    const auto it = std::find(items.begin(), items.end(), text);
    return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

// The selected item's text; empty when nothing is selected.
std::string selectedText(const Control& c) {
    if (c.selection < 0 || c.selection >= static_cast<int>(c.items.size())) {
        return {};
    }
    return c.items[static_cast<std::size_t>(c.selection)];
}

void emptyChoice(Control& c) {
    c.items.clear();
    c.selection = -1;
}

}  // namespace

bool CAdvancedFilter::rebuildValueLists() {
    const Album* current = album();
    if (!current) {
        return false;
    }
    if (lists_.rebuild(ws_.editing.film, current->id) == RebuildOutcome::NoPictures) {
        host().messageBox(kNoPictureText, kNoPictureCaption, Icon::Exclamation);
        return false;
    }
    // Only the lists just rebuilt are offered again; a locked list keeps its
    // choices as the user left them.
    for (const CriterionControls& row : kFilterRows) {
        if (!lists_.isLocked(row.list)) {
            refill(row.list, !opening_);
        }
    }
    return true;
}

void CAdvancedFilter::refillAll(bool markIndicators) {
    for (const CriterionControls& row : kFilterRows) {
        refill(row.list, markIndicators);
    }
}

void CAdvancedFilter::refill(ValueList list, bool markIndicator) {
    if (list == ValueList::Camera) {
        refillCamera();
        return;
    }
    const Criterion c = *criterionOf(list);
    if (isRangeList(list)) {
        refillRange(c, markIndicator);
    } else {
        refillSingle(c, markIndicator);
    }
}

void CAdvancedFilter::setIndicator(Criterion c, int state) {
    indicators_[static_cast<std::size_t>(c)] = state;
    Control& lamp = control(filterRow(valueListOf(c)).indicator);
    lamp.picture = indicatorPicture(state);
    lamp.pictureWidth = kIndicatorSize;
    lamp.pictureHeight = kIndicatorSize;
    lamp.toolTip = indicatorMeaning(state);
}

// A criterion that is on and offers values shows whether the album holds one.
void CAdvancedFilter::markIndicator(Criterion c) {
    const Album* current = album();
    const CriterionControls& row = filterRow(valueListOf(c));
    if (!current || !control(row.checkBox).checked || lists_.isEmpty(row.list)) {
        setIndicator(c, kIndicatorOff);
        return;
    }
    setIndicator(c, holdsValue(current->filter, c) ? kIndicatorChosen : kIndicatorActive);
}

void CAdvancedFilter::refillRange(Criterion c, bool mark) {
    const CriterionControls& row = filterRow(valueListOf(c));
    Control& max = control(row.maxChoice);
    Control& min = control(row.minChoice);
    Control& box = control(row.checkBox);
    emptyChoice(max);
    emptyChoice(min);
    if (!box.checked) {
        max.enabled = min.enabled = false;
        setIndicator(c, kIndicatorOff);
        return;
    }
    const auto& entries = lists_.rangeEntries(row.list);
    if (entries.empty()) {
        max.enabled = min.enabled = box.enabled = false;
        setIndicator(c, kIndicatorOff);
        return;
    }
    max.items = textsOf(entries);
    max.enabled = min.enabled = box.enabled = true;
    const Album* current = album();
    const double storedMax = current ? maxBound(current->filter, c) : 0;
    const auto selected = maxSelection(entries, storedMax, rangeOrderOf(row.list));
    max.selection = selected ? static_cast<int>(*selected) : -1;
    fillMin(c);
    if (mark) {
        markIndicator(c);
    }
}

void CAdvancedFilter::refillSingle(Criterion c, bool mark) {
    const CriterionControls& row = filterRow(valueListOf(c));
    Control& choice = control(row.maxChoice);
    Control& box = control(row.checkBox);
    emptyChoice(choice);
    if (!box.checked) {
        choice.enabled = false;
        setIndicator(c, kIndicatorOff);
        return;
    }
    const auto& entries = lists_.choiceEntries(row.list);
    if (entries.empty()) {
        choice.enabled = box.enabled = false;
        setIndicator(c, kIndicatorOff);
        return;
    }
    choice.items = textsOf(entries);
    choice.enabled = box.enabled = true;
    const Album* current = album();
    const std::int32_t stored = current ? choiceOf(current->filter, c) : -1;
    const auto it = std::find_if(entries.begin(), entries.end(),
                                 [&](const ChoiceEntry& e) { return e.code == stored; });
    choice.selection = it == entries.end() ? -1 : static_cast<int>(it - entries.begin());
    if (mark) {
        markIndicator(c);
    }
}

void CAdvancedFilter::refillCamera() {
    const CriterionControls& row = filterRow(ValueList::Camera);
    Control& camera = control(row.maxChoice);
    camera.items.clear();
    for (const CameraEntry& entry : lists_.cameras()) {
        camera.items.push_back(entry.make);
    }
    camera.enabled = !camera.items.empty();
    const Album* current = album();
    camera.selection = current ? indexOfText(camera.items, current->filter.camera) : -1;
    fillModels();
}

// The model choice of the make the camera choice shows, on the album's model
// when the make has it, else on its first entry.
void CAdvancedFilter::fillModels() {
    const CriterionControls& row = filterRow(ValueList::Camera);
    const std::string make = selectedText(control(row.maxChoice));
    Control& model = control(row.minChoice);
    emptyChoice(model);
    const CameraEntry* entry = make.empty() || make == kAll ? nullptr : lists_.findCamera(make);
    if (!entry) {
        model.enabled = false;
        return;
    }
    model.items = entry->models;
    model.enabled = true;
    const Album* current = album();
    const int stored = current ? indexOfText(model.items, current->filter.model) : -1;
    model.selection = model.items.empty() ? -1 : std::max(stored, 0);
}

void CAdvancedFilter::fillMin(Criterion c) {
    const CriterionControls& row = filterRow(valueListOf(c));
    const Control& max = control(row.maxChoice);
    Control& min = control(row.minChoice);
    emptyChoice(min);
    const auto& entries = lists_.rangeEntries(row.list);
    const RangeEntry* chosen = entryWithText(entries, selectedText(max));
    if (!chosen) {
        return;
    }
    const auto offered = minChoices(entries, chosen->value, rangeOrderOf(row.list));
    min.items = textsOf(offered);
    const Album* current = album();
    const double storedMax = current ? maxBound(current->filter, c) : 0;
    const double storedMin = current ? minBound(current->filter, c) : 0;
    const auto selected = minSelection(offered, storedMax, storedMin);
    min.selection = selected ? static_cast<int>(*selected) : -1;
}

void CAdvancedFilter::storeSelection(Criterion c) {
    Album* current = album();
    if (!current) {
        return;
    }
    const CriterionControls& row = filterRow(valueListOf(c));
    if (isChoiceList(row.list)) {
        const Control& choice = control(row.maxChoice);
        const auto& entries = lists_.choiceEntries(row.list);
        const bool valid = choice.selection >= 0 && choice.selection < static_cast<int>(entries.size());
        setChoice(current->filter, c, valid ? entries[static_cast<std::size_t>(choice.selection)].code : -1);
        return;
    }
    const auto& entries = lists_.rangeEntries(row.list);
    const RangeEntry* max = entryWithText(entries, selectedText(control(row.maxChoice)));
    const RangeEntry* min = entryWithText(entries, selectedText(control(row.minChoice)));
    setBounds(current->filter, c, max ? max->value : 0, min ? min->value : 0);
}

void CAdvancedFilter::refreshAfter(ValueList own) {
    links_.rebuildFilm();
    if (closed_) {
        return;
    }
    links_.redrawFilm();
    const Album* current = album();
    if (!current || current->filter.liveUpdate == 0) {
        return;
    }
    lists_.lock(own);
    rebuildValueLists();
    lists_.unlock(own);
}

void CAdvancedFilter::maxChosen(Criterion c) {
    fillMin(c);
}

void CAdvancedFilter::rangeChanged(Criterion c) {
    storeSelection(c);
    markIndicator(c);
    refreshAfter(valueListOf(c));
}

void CAdvancedFilter::singleChanged(Criterion c) {
    storeSelection(c);
    markIndicator(c);
    refreshAfter(valueListOf(c));
}

void CAdvancedFilter::cameraChanged(bool cameraChoice) {
    Album* current = album();
    if (!current) {
        return;
    }
    const CriterionControls& row = filterRow(ValueList::Camera);
    FilterCriteria& f = current->filter;
    const std::string make = selectedText(control(row.maxChoice));
    if (make.empty()) {
        return;
    }
    if (cameraChoice) {
        // A new make offers its models from the first one.
        f.camera = make;
        f.model.clear();
        fillModels();
    }
    f.camera = make;
    if (make == kAll) {
        f.model.clear();
        emptyChoice(control(row.minChoice));
        control(row.minChoice).enabled = false;
    } else if (const std::string model = selectedText(control(row.minChoice)); !model.empty()) {
        f.model = model;
    }
    refreshAfter(ValueList::Camera);
}

}  // namespace dz
