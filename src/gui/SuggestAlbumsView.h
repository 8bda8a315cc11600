#pragma once

#include "gui/WindowView.h"

namespace dz::gui {

// "Suggest Albums": the choice of pictures and mode, the gap slider with its
// live count, the proposals and the selected one's pictures with Split and
// Merge with next, the choices for every album, Accept and Cancel.
class SuggestAlbumsView final : public WindowView {
    Q_OBJECT

public:
    SuggestAlbumsView(Window& window, QWidget* parent);

private:
    QWidget* makeOptions();
};

}  // namespace dz::gui
