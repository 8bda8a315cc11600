#include "gui/ThumbnailListView.h"

#include "gui/ThumbnailListModel.h"

#include <QContextMenuEvent>
#include <QItemSelectionModel>
#include <QScrollBar>

namespace dz::gui {

ThumbnailListView::ThumbnailListView(QWidget* parent, QSize imageSize, int labelLines)
    : QListView(parent), model_(new ThumbnailListModel(this)) {
    setModel(model_);
    // Icon mode first: it resets the flow, wrapping and movement set below.
    setViewMode(QListView::IconMode);
    setFlow(QListView::LeftToRight);
    setWrapping(false);
    setMovement(QListView::Static);
    setResizeMode(QListView::Adjust);
    // Not uniform: labels wrap to different numbers of lines within the grid.
    setUniformItemSizes(false);
    setWordWrap(true);
    setTextElideMode(Qt::ElideRight);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionRectVisible(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // A double click is the window's own command; a click on the selected
    // item or F2 edits its label.
    setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
    setIconSize(imageSize);
    const int lineHeight = fontMetrics().lineSpacing();
    setGridSize(QSize(imageSize.width() + 40, imageSize.height() + labelLines * lineHeight + 14));
    setSpacing(0);
    horizontalScrollBar()->setSingleStep(gridSize().width() / 4);

    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (!quiet_ && selectionListener_) {
            selectionListener_(selectedRow());
        }
    });
}

int ThumbnailListView::selectedRow() const {
    int highest = -1;
    for (const QModelIndex& index : selectionModel()->selectedIndexes()) {
        highest = std::max(highest, index.row());
    }
    return highest;
}

void ThumbnailListView::showSelection(int row) {
    quiet_ = true;
    if (row < 0 || row >= model_->rowCount()) {
        selectionModel()->clearSelection();
    } else if (selectedRow() != row) {
        const QModelIndex index = model_->index(row);
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
        scrollTo(index);
    }
    quiet_ = false;
}

QSize ThumbnailListView::sizeHint() const {
    const int frame = 2 * frameWidth();
    return QSize(3 * gridSize().width() + frame, gridSize().height() + horizontalScrollBar()->sizeHint().height() + frame);
}

void ThumbnailListView::contextMenuEvent(QContextMenuEvent* event) {
    const QModelIndex index =
        event->reason() == QContextMenuEvent::Keyboard ? currentIndex() : indexAt(event->pos());
    event->accept();
    if (!index.isValid()) {
        return;
    }
    // The item under the pointer becomes the selected one first, as a press would make it.
    if (selectedRow() != index.row()) {
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    }
    if (rightClickListener_) {
        rightClickListener_(index.row());
    }
}

}  // namespace dz::gui
