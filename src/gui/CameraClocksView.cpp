#include "gui/CameraClocksView.h"

#include "app/CCameraClocksDlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace dz::gui {

CameraClocksView::CameraClocksView(Window& window, QWidget* parent) : WindowView(window, parent) {
    using W = CCameraClocksDlg;
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(binder().checkBox(W::kOneTimeline), 0, Qt::AlignLeft);

    QTreeWidget* cameras = binder().table(W::kCameras, W::cameraColumns());
    cameras->setMinimumSize(900, 200);
    layout->addWidget(cameras, 1);
    QLabel* why = binder().label(W::kWhy);
    why->setWordWrap(true);
    layout->addWidget(why);

    auto* edits = new QGridLayout;
    QLabel* clockLabel = binder().label(W::kClockLabel);
    QLineEdit* clock = binder().lineEdit(W::kClock);
    clockLabel->setBuddy(clock);
    clock->setMinimumWidth(200);
    QLabel* correctionLabel = binder().label(W::kCorrectionLabel);
    QLineEdit* correction = binder().lineEdit(W::kCorrection);
    correctionLabel->setBuddy(correction);
    edits->addWidget(clockLabel, 0, 0);
    edits->addWidget(clock, 0, 1);
    edits->addWidget(correctionLabel, 0, 2);
    edits->addWidget(correction, 0, 3);
    edits->addWidget(binder().button(W::kSet), 0, 4);
    edits->addWidget(binder().button(W::kSameMoment), 0, 5);
    edits->setColumnStretch(6, 1);
    layout->addLayout(edits);

    QLabel* hint = binder().label(W::kHint);
    hint->setWordWrap(true);
    layout->addWidget(hint);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = binder().button(W::kOk);
    ok->setDefault(true);
    buttons->addButton(ok, QDialogButtonBox::AcceptRole);
    buttons->addButton(binder().button(W::kCancel), QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
    resize(1200, 480);
}

}  // namespace dz::gui
