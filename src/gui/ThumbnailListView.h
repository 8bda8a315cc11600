#pragma once

#include <QListView>
#include <QTimer>

#include <functional>
#include <string>
#include <vector>

namespace dz::gui {

class ThumbnailListModel;

// A list view of pictures with labels below them, laid out in rows as wide
// as the view, like strips of film side by side, scrolling down. Each label
// line gets a line of its own and the cells are as wide as the widest line
// on screen, so no label is cut. It tells its owner of the user's clicks, selection
// changes and right clicks by item row, and which items are on screen; a
// selection shown from the window's state is not reported back.
class ThumbnailListView final : public QListView {
    Q_OBJECT

public:
    using RowEvent = std::function<void(int row)>;
    using RangeEvent = std::function<void(int first, int last)>;

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
    // Called (soon after, never from inside a redraw) when other items are on screen.
    void setShownListener(RangeEvent listener) { shownListener_ = std::move(listener); }
    // After the model took a new list: the cells are sized for its labels.
    void fitLabels();
    // The cells grow when a label on screen is wider than they are.
    void fitShown();
    // The first and last item on screen (last < first when none).
    std::pair<int, int> shownRows() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void reportShown();
    int widestLine(const std::vector<int>& rows) const;
    void setCellWidth(int widestLine);

    ThumbnailListModel* model_;
    QSize imageSize_;
    int labelLines_;
    RowEvent selectionListener_;
    RowEvent rightClickListener_;
    RangeEvent shownListener_;
    QTimer shownTimer_;
    std::pair<int, int> reported_{0, -1};
    bool quiet_ = false;
};

}  // namespace dz::gui
