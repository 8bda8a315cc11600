#pragma once

#include "albums/Album.h"
#include "platform/Window.h"

#include <functional>

namespace dz {

struct Settings;

// The "Process Option" window: whether albums are processed by moving the
// pictures instead of copying them.
class CPotion final : public Window {
public:
    static constexpr int kSave = 1;
    static constexpr int kDiscard = 2;
    static constexpr int kMoveFiles = 1174;
    static constexpr int kExplanation = 1175;

    // `reload` reads the settings file again, `save` writes it.
    CPotion(Host& host, Settings& settings, const AlbumList& albums, std::function<void()> reload,
            std::function<void()> save);

    void onInit() override;
    void onCommand(int id) override;

private:
    void moveBoxTicked();

    Settings& settings_;
    const AlbumList& albums_;
    std::function<void()> reload_;
    std::function<void()> save_;
};

}  // namespace dz
