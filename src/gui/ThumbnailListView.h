#pragma once

#include <QListView>

#include <functional>

namespace dz::gui {

class ThumbnailListModel;

// A list view of pictures with labels below them, laid out in one row that
// scrolls sideways, like a strip of film. It tells its owner of the user's
// clicks, selection changes and right clicks by item row; a selection shown
// from the window's state is not reported back.
class ThumbnailListView final : public QListView {
    Q_OBJECT

public:
    using RowEvent = std::function<void(int row)>;

    // `imageSize`: the size of every picture; `labelLines`: the label lines
    // each item leaves room for.
    ThumbnailListView(QWidget* parent, QSize imageSize, int labelLines);

    ThumbnailListModel* thumbnails() const { return model_; }

    // The selected item with the highest row, -1 when none.
    int selectedRow() const;
    // Selects `row` (none when out of range) without reporting it.
    void showSelection(int row);
    // Called with selectedRow() after the user changed the selection.
    void setSelectionListener(RowEvent listener) { selectionListener_ = std::move(listener); }
    // Called with the row of the item the user right-clicked.
    void setRightClickListener(RowEvent listener) { rightClickListener_ = std::move(listener); }

    QSize sizeHint() const override;

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    ThumbnailListModel* model_;
    RowEvent selectionListener_;
    RowEvent rightClickListener_;
    bool quiet_ = false;
};

}  // namespace dz::gui
