#include "filter/ValueLists.h"

#include "exif/ExifValueTexts.h"
#include "filter/PictureEntries.h"

#include <algorithm>
#include <cassert>
#include <cctype>

namespace dz {
namespace {

const char* const kAll = "All";

ValueList rangeList(std::size_t i) { return static_cast<ValueList>(kFirstRangeList + i); }
ValueList choiceList(std::size_t i) { return static_cast<ValueList>(kFirstChoiceList + i); }

bool holdsText(const std::vector<RangeEntry>& entries, const std::string& text) {
    return std::any_of(entries.begin(), entries.end(), [&](const RangeEntry& e) { return e.text == text; });
}

// The flash list is distinct by text, the others by code; the flash texts
// and codes go one to one, so comparing codes serves all four.
bool holdsCode(const std::vector<ChoiceEntry>& entries, std::int32_t code) {
    return std::any_of(entries.begin(), entries.end(), [&](const ChoiceEntry& e) { return e.code == code; });
}

bool holdsModel(const std::vector<std::string>& models, const std::string& model) {
    return std::find(models.begin(), models.end(), model) != models.end();
}

// Alphabetical regardless of case; equal letters fall back on the bytes so
// the order is always the same.
bool alphabeticallyBefore(const std::string& a, const std::string& b) {
    const auto lower = [](unsigned char c) { return std::tolower(c); };
    const bool less = std::lexicographical_compare(
        a.begin(), a.end(), b.begin(), b.end(),
        [&](unsigned char x, unsigned char y) { return lower(x) < lower(y); });
    if (less) {
        return true;
    }
    const bool greater = std::lexicographical_compare(
        b.begin(), b.end(), a.begin(), a.end(),
        [&](unsigned char x, unsigned char y) { return lower(x) < lower(y); });
    return !greater && a < b;
}

void sortModels(std::vector<std::string>& models) {
    std::sort(models.begin(), models.end(), alphabeticallyBefore);
    if (models.size() >= 2) {
        models.insert(models.begin(), kAll);
    }
}

void sortRange(std::vector<RangeEntry>& entries, RangeOrder order) {
    if (order == RangeOrder::SmallestFirst) {
        std::stable_sort(entries.begin(), entries.end(),
                         [](const RangeEntry& a, const RangeEntry& b) { return a.value < b.value; });
        return;
    }
    std::stable_sort(entries.begin(), entries.end(),
                     [](const RangeEntry& a, const RangeEntry& b) { return a.value > b.value; });
}

// "All" stays first even before a negative code (a white balance below 0).
void sortByCodeAfterAll(std::vector<ChoiceEntry>& entries) {
    if (entries.empty()) {
        return;
    }
    std::stable_sort(entries.begin() + 1, entries.end(),
                     [](const ChoiceEntry& a, const ChoiceEntry& b) { return a.code < b.code; });
}

}  // namespace

RebuildOutcome ValueLists::rebuild(const std::vector<PictureRecord>& film, std::int32_t albumId) {
    if (film.empty()) {
        return RebuildOutcome::NoPictures;
    }
    emptyUnlocked();
    const auto first = std::find_if(film.begin(), film.end(),
                                    [&](const PictureRecord& p) { return p.albumId == albumId; });
    for (auto it = first; it != film.end(); ++it) {
        addPicture(it->exif());
    }
    sortUnlocked();
    return RebuildOutcome::Rebuilt;
}

void ValueLists::clear() { *this = ValueLists{}; }

const CameraEntry* ValueLists::findCamera(const std::string& make) const {
    const auto it = std::find_if(cameras_.begin(), cameras_.end(),
                                 [&](const CameraEntry& e) { return e.make == make; });
    return it == cameras_.end() ? nullptr : &*it;
}

const std::vector<RangeEntry>& ValueLists::rangeEntries(ValueList list) const {
    assert(isRangeList(list));
    return ranges_[index(list) - kFirstRangeList];
}

const std::vector<ChoiceEntry>& ValueLists::choiceEntries(ValueList list) const {
    assert(isChoiceList(list));
    return choices_[index(list) - kFirstChoiceList];
}

bool ValueLists::isEmpty(ValueList list) const {
    if (list == ValueList::Camera) {
        return cameras_.size() <= 1;
    }
    if (isRangeList(list)) {
        return rangeEntries(list).empty();
    }
    return choiceEntries(list).empty();
}

void ValueLists::emptyUnlocked() {
    if (!isLocked(ValueList::Camera)) {
        // Like the camera choice, the emptied list offers "All" alone.
        cameras_.assign(1, CameraEntry{kAll, {}});
    }
    for (std::size_t i = 0; i < kRangeListCount; ++i) {
        if (!isLocked(rangeList(i))) {
            ranges_[i].clear();
        }
    }
    for (std::size_t i = 0; i < kChoiceListCount; ++i) {
        if (!isLocked(choiceList(i))) {
            choices_[i].clear();
        }
    }
}

void ValueLists::addPicture(const ExifInfo& picture) {
    if (!isLocked(ValueList::Camera)) {
        addCamera(picture);
    }
    for (std::size_t i = 0; i < kRangeListCount; ++i) {
        if (isLocked(rangeList(i))) {
            continue;
        }
        auto entry = rangeEntryOf(rangeList(i), picture);
        if (entry && !holdsText(ranges_[i], entry->text)) {
            ranges_[i].push_back(std::move(*entry));
        }
    }
    for (std::size_t i = 0; i < kChoiceListCount; ++i) {
        if (isLocked(choiceList(i))) {
            continue;
        }
        auto entry = choiceEntryOf(choiceList(i), picture);
        if (!entry) {
            continue;
        }
        if (choices_[i].empty()) {
            choices_[i].push_back(ChoiceEntry{kAll, -1});
        }
        if (!holdsCode(choices_[i], entry->code)) {
            choices_[i].push_back(std::move(*entry));
        }
    }
}

void ValueLists::addCamera(const ExifInfo& picture) {
    const std::string make = cameraText(picture.cameraMake);
    const std::string model = cameraText(picture.cameraModel);
    const auto it = std::find_if(cameras_.begin() + 1, cameras_.end(),
                                 [&](const CameraEntry& e) { return e.make == make; });
    if (it == cameras_.end()) {
        cameras_.push_back(CameraEntry{make, {model}});
        return;
    }
    if (!holdsModel(it->models, model)) {
        it->models.push_back(model);
    }
}

void ValueLists::sortUnlocked() {
    if (!isLocked(ValueList::Camera)) {
        for (CameraEntry& camera : cameras_) {
            sortModels(camera.models);
        }
    }
    for (std::size_t i = 0; i < kRangeListCount; ++i) {
        if (!isLocked(rangeList(i))) {
            sortRange(ranges_[i], rangeOrderOf(rangeList(i)));
        }
    }
    for (std::size_t i = 0; i < kChoiceListCount; ++i) {
        if (!isLocked(choiceList(i))) {
            sortByCodeAfterAll(choices_[i]);
        }
    }
}

}  // namespace dz
