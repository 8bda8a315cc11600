#pragma once

#include "albums/Album.h"
#include "platform/Window.h"

#include <functional>

namespace dz {

struct Settings;

// The "Process Option" window: whether albums are processed by moving the
// pictures instead of copying them, whether copies are read back from the
// disk and compared, and whether pictures the target holds already are left
// out.
class CPotion final : public Window {
public:
    static constexpr int kSave = 1;
    static constexpr int kDiscard = 2;
    static constexpr int kMoveFiles = 1174;
    static constexpr int kExplanation = 1175;
    static constexpr int kVerifyCopies = 1176;
    static constexpr int kVerifyExplanation = 1177;
    static constexpr int kLeaveOutSorted = 1178;
    static constexpr int kLeaveOutExplanation = 1179;

    // `reload` reads the settings file again, `save` writes it. With
    // `verifyCopies` the window offers "Verify copies" too, with
    // `leaveOutSorted` "Leave out pictures already in the target".
    CPotion(Host& host, Settings& settings, const AlbumList& albums, std::function<void()> reload,
            std::function<void()> save, bool* verifyCopies = nullptr, bool* leaveOutSorted = nullptr);

    void onInit() override;
    void onCommand(int id) override;

private:
    void moveBoxTicked();

    Settings& settings_;
    bool* verifyCopies_;
    bool* leaveOutSorted_;
    const AlbumList& albums_;
    std::function<void()> reload_;
    std::function<void()> save_;
};

}  // namespace dz
