#include "gui/SameMomentView.h"

#include "app/CSameMomentDlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <utility>

namespace dz::gui {

SameMomentView::SameMomentView(Window& window, QWidget* parent) : WindowView(window, parent) {
    using W = CSameMomentDlg;
    QStringList headers;
    for (const std::string& name : W::columns()) {
        headers.push_back(QString::fromStdString(name));
    }
    auto* layout = new QVBoxLayout(this);
    auto* lists = new QHBoxLayout;
    for (const auto& [label, list] : {std::pair{W::kMineLabel, W::kMine}, std::pair{W::kOthersLabel, W::kOthers}}) {
        auto* column = new QVBoxLayout;
        QLabel* caption = binder().label(label);
        caption->setWordWrap(true);
        column->addWidget(caption);
        QTreeWidget* pictures = binder().table(list, headers);
        pictures->setMinimumSize(420, 320);
        caption->setBuddy(pictures);
        column->addWidget(pictures, 1);
        lists->addLayout(column, 1);
    }
    layout->addLayout(lists, 1);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = binder().button(W::kOk);
    ok->setDefault(true);
    buttons->addButton(ok, QDialogButtonBox::AcceptRole);
    buttons->addButton(binder().button(W::kCancel), QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
}

}  // namespace dz::gui
