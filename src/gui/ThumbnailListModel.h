#pragma once

#include "platform/Window.h"

#include <QAbstractListModel>
#include <QHash>
#include <QPixmap>

#include <string>
#include <vector>

namespace dz::gui {

// The items of a list-view control: its labels (drawn as their captions when
// the control has them), and its pictures taken from the control's image
// strip. Texts are asked of the control when an item is drawn, so a long
// list costs nothing for the items off screen. Pictures are made only when
// an item is painted and made again when the strip's version of the picture
// changes, since the strip may change any picture in place (a flipped film
// picture keeps its index) and hands out a picture only once it is made.
class ThumbnailListModel final : public QAbstractListModel {
public:
    explicit ThumbnailListModel(QObject* parent);

    // Takes the items of the control, which stays the model's source until
    // the next call. The same number of items keeps the view's scroll
    // position (the texts drawn are the control's current ones); another
    // number starts the list again, and only then is the result true.
    bool draw(const Control& control);
    QSize imageSize() const;
    // The text drawn under an item.
    std::string caption(int row) const;
    // The size of every item, picture and caption lines, whether or not its
    // picture is made yet: the view takes one item's size for all of them,
    // and a size taken before the pictures came would cut every cell to a
    // strip.
    void setItemSize(QSize size) { itemSize_ = size; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    struct Picture {
        int image = -1;
        std::uint32_t version = 0;
        QPixmap pixmap;
    };
    QPixmap picture(int row) const;

    const Control* control_ = nullptr;
    int rows_ = 0;
    std::vector<int> images_;
    const ImageStrip* strip_ = nullptr;
    QSize itemSize_;
    mutable QHash<int, Picture> pictures_;
};

}  // namespace dz::gui
