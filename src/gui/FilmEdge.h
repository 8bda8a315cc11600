#pragma once

#include <QWidget>

namespace dz::gui {

// The edge of a strip of film: a dark band with sprocket holes. It moves
// with the pictures beside it, so the strip scrolls as one piece.
class FilmEdge final : public QWidget {
public:
    explicit FilmEdge(QWidget* parent);

    // Pixels the pictures beside the edge are scrolled by.
    void setOffset(int offset);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int offset_ = 0;
};

}  // namespace dz::gui
