#include "gui/ThumbnailListView.h"

#include "gui/ThumbnailListModel.h"

#include <QContextMenuEvent>
#include <QItemSelectionModel>
#include <QScrollBar>

#include <algorithm>
#include <string_view>

namespace dz::gui {

namespace {

constexpr int kCellMargin = 16;
// A caption line longer than this many pictures' widths is elided rather
// than making every cell that wide (a long typed name).
constexpr int kWidestCell = 3;
// Labels measured at the start of a list, and as many spread over the rest.
constexpr int kSampledRows = 200;

// The lines of a caption, without the text itself being copied.
template <typename Visit>
void forEachLine(std::string_view text, Visit visit) {
    std::size_t start = 0;
    for (int line = 0;; ++line) {
        const std::size_t end = text.find('\n', start);
        visit(line, text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) {
            return;
        }
        start = end + 1;
    }
}

}  // namespace

ThumbnailListView::ThumbnailListView(QWidget* parent, QSize imageSize, int labelLines)
    : QListView(parent), model_(new ThumbnailListModel(this)), imageSize_(imageSize), labelLines_(labelLines) {
    setModel(model_);
    // Icon mode first: it resets the flow, wrapping and movement set below.
    setViewMode(QListView::IconMode);
    setFlow(QListView::LeftToRight);
    setWrapping(true);
    setMovement(QListView::Static);
    setResizeMode(QListView::Adjust);
    // Every cell has the same size, so a long film is laid out without
    // asking every item for its size.
    setUniformItemSizes(true);
    setWordWrap(false);
    setTextElideMode(Qt::ElideMiddle);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionRectVisible(false);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // A double click is the window's own command; a click on the selected
    // item or F2 edits its label.
    setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
    setIconSize(imageSize);
    setSpacing(0);
    fitLabels();

    shownTimer_.setSingleShot(true);
    shownTimer_.setInterval(0);
    connect(&shownTimer_, &QTimer::timeout, this, [this] {
        fitShown();
        const auto shown = shownRows();
        if (shown != reported_ && shownListener_) {
            reported_ = shown;
            shownListener_(shown.first, shown.second);
        }
    });
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { reportShown(); });
    connect(model_, &QAbstractItemModel::modelReset, this, [this] { reportShown(); });
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (!quiet_ && selectionListener_) {
            selectionListener_(selectedRow());
        }
    });
}

void ThumbnailListView::fitLabels() {
    // A new list: the cells are sized for a sample of it, not for each of
    // 100,000 labels; fitShown() widens them for any label on screen that
    // needs more.
    const int count = model_->rowCount();
    std::vector<int> rows;
    for (int row = 0; row < std::min(count, kSampledRows); ++row) {
        rows.push_back(row);
    }
    for (int i = 0; count > kSampledRows && i < kSampledRows; ++i) {
        rows.push_back(kSampledRows + static_cast<int>(static_cast<long long>(count - kSampledRows) * i / kSampledRows));
    }
    setCellWidth(widestLine(rows));
    fitShown();
}

void ThumbnailListView::fitShown() {
    const auto [first, last] = shownRows();
    std::vector<int> rows;
    for (int row = first; row <= last; ++row) {
        rows.push_back(row);
    }
    const int widest = widestLine(rows);
    if (widest + kCellMargin > gridSize().width()) {
        setCellWidth(widest);
    }
}

int ThumbnailListView::widestLine(const std::vector<int>& rows) const {
    const QFontMetrics metrics = fontMetrics();
    int widest = 0;
    for (int row : rows) {
        forEachLine(model_->caption(row), [&](int line, std::string_view text) {
            if (line < labelLines_) {
                widest = std::max(widest, metrics.horizontalAdvance(
                                              QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))));
            }
        });
    }
    return widest;
}

void ThumbnailListView::setCellWidth(int widest) {
    const int width = std::clamp(widest + kCellMargin, imageSize_.width() + kCellMargin, kWidestCell * imageSize_.width());
    const QSize grid(width, imageSize_.height() + labelLines_ * fontMetrics().lineSpacing() + 14);
    if (grid != gridSize()) {
        model_->setItemSize(grid - QSize(kCellMargin / 2, 4));
        setGridSize(grid);
        verticalScrollBar()->setSingleStep(grid.height() / 4);
        updateGeometry();
    }
    reportShown();
}

std::pair<int, int> ThumbnailListView::shownRows() const {
    const int count = model_->rowCount();
    const QSize grid = gridSize();
    if (count == 0 || !grid.isValid() || grid.width() <= 0 || grid.height() <= 0) {
        return {0, -1};
    }
    const int columns = std::max(1, viewport()->width() / grid.width());
    const int top = verticalScrollBar()->value();
    const int firstRow = top / grid.height();
    const int lastRow = (top + std::max(1, viewport()->height()) - 1) / grid.height();
    const int first = std::min(count - 1, firstRow * columns);
    const int last = std::min(count - 1, (lastRow + 1) * columns - 1);
    return {first, last};
}

void ThumbnailListView::reportShown() {
    shownTimer_.start();
}

void ThumbnailListView::resizeEvent(QResizeEvent* event) {
    QListView::resizeEvent(event);
    reportShown();
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
    return QSize(3 * gridSize().width() + frame + verticalScrollBar()->sizeHint().width(),
                 2 * gridSize().height() + frame);
}

QSize ThumbnailListView::minimumSizeHint() const {
    const int frame = 2 * frameWidth();
    return QSize(gridSize().width() + frame + verticalScrollBar()->sizeHint().width(), gridSize().height() + frame);
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
