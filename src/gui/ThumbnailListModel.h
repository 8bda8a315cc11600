#pragma once

#include "platform/Window.h"

#include <QAbstractListModel>
#include <QHash>
#include <QPixmap>

#include <string>
#include <vector>

namespace dz::gui {

// The items of a list-view control: its labels, and its pictures taken from
// the control's image strip. Pictures are made only when an item is painted
// and forgotten at every redraw, because the strip may change any picture in
// place (a flipped film picture keeps its index).
class ThumbnailListModel final : public QAbstractListModel {
public:
    explicit ThumbnailListModel(QObject* parent);

    // Takes the items of the control. The same number of items keeps the
    // view's scroll position; another number starts the list again.
    void draw(const Control& control);
    QSize imageSize() const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    QPixmap picture(int row) const;

    std::vector<std::string> labels_;
    std::vector<int> images_;
    const ImageStrip* strip_ = nullptr;
    mutable QHash<int, QPixmap> pictures_;
};

}  // namespace dz::gui
