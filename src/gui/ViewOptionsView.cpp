#include "gui/ViewOptionsView.h"

#include "albums/CViewOptions.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace dz::gui {

ViewOptionsView::ViewOptionsView(Window& window, QWidget* parent) : WindowView(window, parent) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(binder().label(CViewOptions::kPrompt));

    QGroupBox* sort = binder().group(CViewOptions::kSortGroup);
    auto* inside = new QHBoxLayout(sort);
    QComboBox* order = binder().comboBox(CViewOptions::kOrder);
    order->setMinimumContentsLength(12);
    inside->addWidget(order);
    auto* keys = new QVBoxLayout;
    keys->addWidget(binder().radioButton(CViewOptions::kByName));
    keys->addWidget(binder().radioButton(CViewOptions::kByDate));
    inside->addLayout(keys);
    layout->addWidget(sort);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* accept = binder().button(CViewOptions::kAccept);
    accept->setDefault(true);
    buttons->addButton(accept, QDialogButtonBox::AcceptRole);
    buttons->addButton(binder().button(CViewOptions::kDiscard), QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace dz::gui
