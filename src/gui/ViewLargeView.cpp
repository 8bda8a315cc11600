#include "gui/ViewLargeView.h"

#include "albums/CViewLarge.h"
#include "gui/ScaledPicture.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace dz::gui {

ViewLargeView::ViewLargeView(Window& window, QWidget* parent) : WindowView(window, parent) {
    auto* layout = new QVBoxLayout(this);
    // Resizable: the picture is drawn at the frame's size, 640 x 480 to start.
    auto* frame = new ScaledPicture(this, QSize(CViewLarge::kWidth, CViewLarge::kHeight),
                                    QSize(CViewLarge::kWidth / 4, CViewLarge::kHeight / 4));
    binder().bindPicture(CViewLarge::kFrame, frame);
    // Black before the first picture arrives, as the picture's own margins are.
    frame->setAutoFillBackground(true);
    QPalette black = frame->palette();
    black.setColor(QPalette::Window, Qt::black);
    frame->setPalette(black);
    frame->setStyleSheet(QStringLiteral("background-color: black;"));
    layout->addWidget(frame, 1);

    auto* bottom = new QHBoxLayout;
    QLabel* path = binder().label(CViewLarge::kPath);
    path->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    path->setTextInteractionFlags(Qt::TextSelectableByMouse);
    bottom->addWidget(path, 1);
    QPushButton* close = binder().button(CViewLarge::kClose);
    close->setDefault(true);
    bottom->addWidget(close);
    layout->addLayout(bottom);
    setSizeGripEnabled(true);
    // The picture at its own size to start, not the two thirds of the screen
    // a first show would otherwise allow; a small screen still shrinks it.
    resize(layout->sizeHint());
}

}  // namespace dz::gui
