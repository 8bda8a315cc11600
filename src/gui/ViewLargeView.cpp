#include "gui/ViewLargeView.h"

#include "albums/CViewLarge.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace dz::gui {

ViewLargeView::ViewLargeView(Window& window, QWidget* parent) : WindowView(window, parent) {
    auto* layout = new QVBoxLayout(this);
    QLabel* frame = binder().picture(CViewLarge::kFrame);
    frame->setFixedSize(CViewLarge::kWidth, CViewLarge::kHeight);
    // Black before the first picture arrives, as the picture's own margins are.
    frame->setAutoFillBackground(true);
    QPalette black = frame->palette();
    black.setColor(QPalette::Window, Qt::black);
    frame->setPalette(black);
    frame->setStyleSheet(QStringLiteral("background-color: black;"));
    layout->addWidget(frame);

    auto* bottom = new QHBoxLayout;
    QLabel* path = binder().label(CViewLarge::kPath);
    path->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    path->setTextInteractionFlags(Qt::TextSelectableByMouse);
    bottom->addWidget(path, 1);
    QPushButton* close = binder().button(CViewLarge::kClose);
    close->setDefault(true);
    bottom->addWidget(close);
    layout->addLayout(bottom);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace dz::gui
