#include "gui/SkinOptionView.h"

#include "app/CSkinOption.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace dz::gui {

SkinOptionView::SkinOptionView(Window& window, QWidget* parent) : WindowView(window, parent) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(binder().checkBox(CSkinOption::kEnableSkin));
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = binder().button(CSkinOption::kOk);
    ok->setDefault(true);
    buttons->addButton(ok, QDialogButtonBox::AcceptRole);
    buttons->addButton(binder().button(CSkinOption::kCancel), QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace dz::gui
