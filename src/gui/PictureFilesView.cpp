#include "gui/PictureFilesView.h"

#include "app/PictureFilesOption.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace dz::gui {

PictureFilesView::PictureFilesView(Window& window, QWidget* parent) : WindowView(window, parent) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(binder().radioButton(CPictureFilesOption::kJpegOnly));
    layout->addWidget(binder().radioButton(CPictureFilesOption::kAllFormats));
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = binder().button(CPictureFilesOption::kOk);
    ok->setDefault(true);
    buttons->addButton(ok, QDialogButtonBox::AcceptRole);
    buttons->addButton(binder().button(CPictureFilesOption::kCancel), QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace dz::gui
