#pragma once

#include "gui/WindowView.h"

namespace dz::gui {

// "Picture files": which files the source scan takes.
class PictureFilesView final : public WindowView {
    Q_OBJECT

public:
    PictureFilesView(Window& window, QWidget* parent);
};

}  // namespace dz::gui
