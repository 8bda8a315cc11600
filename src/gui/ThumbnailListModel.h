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
// strip. Pictures are made only when an item is painted and made again when
// the strip's version of the picture changes, since the strip may change any
// picture in place (a flipped film picture keeps its index) and hands out a
// picture only once it is made.
class ThumbnailListModel final : public QAbstractListModel {
public:
    explicit ThumbnailListModel(QObject* parent);

    // Takes the items of the control. The same number of items keeps the
    // view's scroll position; another number starts the list again. True
    // when the texts changed.
    bool draw(const Control& control);
    QSize imageSize() const;
    // The texts drawn under the items.
    const std::vector<std::string>& captions() const { return captions_.empty() ? labels_ : captions_; }

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

    std::vector<std::string> labels_;
    std::vector<std::string> captions_;
    std::vector<int> images_;
    const ImageStrip* strip_ = nullptr;
    mutable QHash<int, Picture> pictures_;
};

}  // namespace dz::gui
