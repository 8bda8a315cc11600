#pragma once

#include "gui/WindowView.h"

class QStandardItemModel;

namespace dz::gui {

// "Processing Preview": the planned target folder as a tree, each picture
// with what will happen to it; clashes, pictures already there and
// questions to come stand out.
class PreviewView final : public WindowView {
    Q_OBJECT

public:
    PreviewView(Window& window, QWidget* parent);

    QStandardItemModel* model() const { return model_; }

private:
    QStandardItemModel* model_;
};

}  // namespace dz::gui
