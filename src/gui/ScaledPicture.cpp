#include "gui/ScaledPicture.h"

#include <QPainter>
#include <QPixmap>

namespace dz::gui {

ScaledPicture::ScaledPicture(QWidget* parent, QSize natural, QSize smallest)
    : QLabel(parent), natural_(natural), smallest_(smallest) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setMinimumSize(smallest);
}

void ScaledPicture::paintEvent(QPaintEvent* event) {
    const QPixmap shown = pixmap();
    if (shown.isNull()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    // Scaled while painting, from the picture the film's cache already decoded,
    // so a step through the film costs no more than before.
    const QSize fitted = shown.size().scaled(contentsRect().size(), Qt::KeepAspectRatio);
    QRect place(QPoint(0, 0), fitted);
    place.moveCenter(contentsRect().center());
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(place, shown);
}

}  // namespace dz::gui
