#include "gui/FilmEdge.h"

#include <QPainter>

namespace dz::gui {

namespace {
constexpr int kHeight = 18;
constexpr int kHoleWidth = 11;
constexpr int kHoleHeight = 8;
constexpr int kPitch = 25;
const QColor kBand(0x1b, 0x1b, 0x1b);
const QColor kHole(0xe9, 0xe4, 0xd6);
}  // namespace

FilmEdge::FilmEdge(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void FilmEdge::setOffset(int offset) {
    if (offset != offset_) {
        offset_ = offset;
        update();
    }
}

QSize FilmEdge::sizeHint() const {
    return QSize(4 * kPitch, kHeight);
}

void FilmEdge::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), kBand);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kHole);
    const int top = (height() - kHoleHeight) / 2;
    for (int x = -(offset_ % kPitch) + (kPitch - kHoleWidth) / 2; x < width(); x += kPitch) {
        painter.drawRoundedRect(QRectF(x, top, kHoleWidth, kHoleHeight), 2, 2);
    }
}

}  // namespace dz::gui
