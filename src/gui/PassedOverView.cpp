#include "gui/PassedOverView.h"

#include "app/CPassedOverDlg.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace dz::gui {

PassedOverView::PassedOverView(Window& window, QWidget* parent) : WindowView(window, parent) {
    auto* layout = new QVBoxLayout(this);
    QListWidget* list = binder().list(CPassedOverDlg::kList);
    list->setMinimumSize(720, 320);
    layout->addWidget(list, 1);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(binder().button(CPassedOverDlg::kClose), QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
}

}  // namespace dz::gui
