#include "gui/ProcessOptionView.h"

#include "app/CPotion.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace dz::gui {

ProcessOptionView::ProcessOptionView(Window& window, QWidget* parent) : WindowView(window, parent) {
    auto* layout = new QVBoxLayout(this);

    // The box has no caption; the explanation beside it says what it does
    // and is its caption: a click on it, or its Alt+letter, is the box's.
    auto* option = new QHBoxLayout;
    QCheckBox* move = binder().checkBox(CPotion::kMoveFiles);
    option->addWidget(move, 0, Qt::AlignTop);
    QLabel* explanation = binder().captionLabel(CPotion::kExplanation, move);
    explanation->setWordWrap(true);
    explanation->setMinimumWidth(300);
    option->addWidget(explanation, 1);
    layout->addLayout(option);

    auto* verifyOption = new QHBoxLayout;
    QCheckBox* verify = binder().checkBox(CPotion::kVerifyCopies);
    verifyOption->addWidget(verify, 0, Qt::AlignTop);
    QLabel* verifyExplanation = binder().captionLabel(CPotion::kVerifyExplanation, verify);
    verifyExplanation->setWordWrap(true);
    verifyExplanation->setMinimumWidth(300);
    verifyOption->addWidget(verifyExplanation, 1);
    layout->addLayout(verifyOption);

    auto* leaveOutOption = new QHBoxLayout;
    QCheckBox* leaveOut = binder().checkBox(CPotion::kLeaveOutSorted);
    leaveOutOption->addWidget(leaveOut, 0, Qt::AlignTop);
    QLabel* leaveOutExplanation = binder().captionLabel(CPotion::kLeaveOutExplanation, leaveOut);
    leaveOutExplanation->setWordWrap(true);
    leaveOutExplanation->setMinimumWidth(300);
    leaveOutOption->addWidget(leaveOutExplanation, 1);
    layout->addLayout(leaveOutOption);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* save = binder().button(CPotion::kSave);
    save->setDefault(true);
    buttons->addButton(save, QDialogButtonBox::AcceptRole);
    buttons->addButton(binder().button(CPotion::kDiscard), QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace dz::gui
