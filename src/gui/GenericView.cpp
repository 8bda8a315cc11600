#include "gui/GenericView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

namespace dz::gui {

GenericView::GenericView(Window& window, QWidget* parent) : WindowView(window, parent) {
    auto* layout = new QVBoxLayout(this);
    auto* buttons = new QDialogButtonBox(this);
    for (const auto& [id, control] : window.controls()) {
        switch (control.kind) {
        case ControlKind::Static:
        case ControlKind::Group:
        case ControlKind::Picture:
            layout->addWidget(binder().label(id));
            break;
        case ControlKind::Button:
            buttons->addButton(binder().button(id), QDialogButtonBox::ActionRole);
            break;
        case ControlKind::CheckBox:
            layout->addWidget(binder().checkBox(id));
            break;
        case ControlKind::RadioButton:
            layout->addWidget(binder().radioButton(id));
            break;
        case ControlKind::Edit:
            layout->addWidget(binder().lineEdit(id));
            break;
        case ControlKind::ListBox:
        case ControlKind::ListView:
            layout->addWidget(binder().list(id), 1);
            break;
        case ControlKind::ComboBox:
            layout->addWidget(binder().comboBox(id));
            break;
        case ControlKind::Progress:
            layout->addWidget(binder().progress(id));
            break;
        case ControlKind::Slider:
            layout->addWidget(binder().slider(id));
            break;
        case ControlKind::MenuItem:
            break;
        }
    }
    layout->addWidget(buttons);
}

}  // namespace dz::gui
