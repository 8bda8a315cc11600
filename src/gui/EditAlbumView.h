#pragma once

#include "gui/WindowView.h"

class QMenuBar;

namespace dz::gui {

// "Edit Album": the album's names and options on the left, the virtual film
// with its range controls on the right, progress on top and the albums'
// total size at the bottom.
class EditAlbumView final : public WindowView {
public:
    EditAlbumView(Window& window, QWidget* parent);

private:
    QMenuBar* makeMenuBar();
    QWidget* makeAlbumSide();
    QWidget* makeFilmSide();
    QWidget* makeFilm();
};

}  // namespace dz::gui
