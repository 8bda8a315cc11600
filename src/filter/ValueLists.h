#pragma once

#include "catalogue/PictureRecord.h"
#include "filter/ValueEntries.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace dz {

// What the caller shows when a rebuild finds a film without pictures.
inline constexpr const char* kNoPictureText = "No picture to display.Please try other filter settings.";
inline constexpr const char* kNoPictureCaption = "Dezoredu";

enum class RebuildOutcome {
    Rebuilt,
    NoPictures,  // the film was empty; every list was left as it was
};

// The distinct values found on the film, one list per criterion plus the
// camera list, from which the Advanced Filter offers its choices. A locked
// list keeps its entries through a rebuild.
class ValueLists {
public:
    // Refills every unlocked list from the film: entries before the first
    // picture of `albumId` are skipped, every later one is used whatever its
    // album. Equal sort keys keep film order.
    RebuildOutcome rebuild(const std::vector<PictureRecord>& film, std::int32_t albumId);

    // Empties every list, locked or not, and drops the locks.
    void clear();

    void lock(ValueList list) { locked_[index(list)] = true; }
    void unlock(ValueList list) { locked_[index(list)] = false; }
    void lockAll() { locked_.fill(true); }
    void unlockAll() { locked_.fill(false); }
    bool isLocked(ValueList list) const { return locked_[index(list)]; }

    // "All" first, then the makes in order of first appearance.
    const std::vector<CameraEntry>& cameras() const { return cameras_; }
    // The make's entry, null when the list does not hold it.
    const CameraEntry* findCamera(const std::string& make) const;

    const std::vector<RangeEntry>& rangeEntries(ValueList list) const;
    const std::vector<ChoiceEntry>& choiceEntries(ValueList list) const;

    // No value to offer: no entry, or for the camera list no make.
    bool isEmpty(ValueList list) const;

private:
    static constexpr std::size_t index(ValueList list) { return static_cast<std::size_t>(list); }

    void emptyUnlocked();
    void addPicture(const ExifInfo& picture);
    void addCamera(const ExifInfo& picture);
    void sortUnlocked();

    std::vector<CameraEntry> cameras_;
    std::array<std::vector<RangeEntry>, kRangeListCount> ranges_;
    std::array<std::vector<ChoiceEntry>, kChoiceListCount> choices_;
    std::array<bool, kValueListCount> locked_{};
};

}  // namespace dz
