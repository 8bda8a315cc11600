#pragma once

#include "gui/WindowView.h"

class QMenuBar;

namespace dz::gui {

// The main window: the three steps as group boxes under the menu bar.
class MainWindowView final : public WindowView {
    Q_OBJECT

public:
    MainWindowView(Window& window, QWidget* parent);

private:
    QMenuBar* makeMenuBar();
    QWidget* makeStepOne();
    QWidget* makeStepTwo();
    QWidget* makeStepThree();
};

}  // namespace dz::gui
