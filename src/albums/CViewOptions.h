#pragma once

#include "albums/AlbumEditing.h"
#include "platform/Window.h"

namespace dz {

// "Set view options": the sort key and order of the film. Every change is
// written to the view settings at once.
class CViewOptions final : public Window {
public:
    static constexpr int kOrder = 1069;
    static constexpr int kByName = 1070;
    static constexpr int kByDate = 1071;
    static constexpr int kAccept = 1;
    static constexpr int kDiscard = 2;
    static constexpr int kPrompt = 2201;
    static constexpr int kSortGroup = 2202;

    CViewOptions(Host& host, ViewSettings& view);

    void onInit() override;
    void onCommand(int id) override;
    void onSelectionChanged(int id) override;

    // Whether the user changed a setting since the window opened.
    bool changed() const { return changed_; }

private:
    void show();

    ViewSettings& view_;
    bool changed_ = false;
};

}  // namespace dz
