#pragma once

#include <QLabel>
#include <QSize>

namespace dz::gui {

// A picture frame that draws its picture fitted to its own size, keeping the
// picture's shape, so the window around it can be made larger or smaller.
class ScaledPicture final : public QLabel {
public:
    ScaledPicture(QWidget* parent, QSize natural, QSize smallest);

    QSize sizeHint() const override { return natural_; }
    QSize minimumSizeHint() const override { return smallest_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QSize natural_;
    QSize smallest_;
};

}  // namespace dz::gui
