#include "gui/EditAlbumView.h"

#include "albums/CViewPhoto.h"
#include "albums/FilmImageList.h"
#include "gui/FilmEdge.h"
#include "gui/ThumbnailListView.h"

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace dz::gui {

namespace {

using W = CViewPhoto;

// Number and name, date and time, camera.
constexpr int kLabelLines = 3;

// A line of text across the window that never widens it.
void makeLine(QLabel* label) {
    label->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    label->setProperty("field", true);
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
}

QGroupBox* groupAround(QGroupBox* group, QWidget* inside) {
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(inside);
    return group;
}

}  // namespace

EditAlbumView::EditAlbumView(Window& window, QWidget* parent) : WindowView(window, parent) {
    // Alt+S sets the start, as Alt+E sets the end; "Split by days" comes
    // first in the window and would take the S.
    binder().preferMnemonic(W::kSetStart, QLatin1Char('s'));
    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(makeMenuBar());

    QLabel* top = binder().label(W::kTopLine);
    makeLine(top);
    layout->addWidget(top);

    auto* sides = new QHBoxLayout;
    sides->addWidget(makeAlbumSide());
    sides->addWidget(makeFilmSide(), 1);
    layout->addLayout(sides, 1);

    QLabel* total = binder().label(W::kTotalSize);
    makeLine(total);
    layout->addWidget(total);

    resize(1040, 620);
}

QMenuBar* EditAlbumView::makeMenuBar() {
    auto* bar = new QMenuBar(this);
    bar->setObjectName(QStringLiteral("MenuBar"));
    QMenu* file = binder().menu(bar, QStringLiteral("File"));
    for (int id : {W::kMenuViewOptions, W::kMenuManualRange, W::kMenuAdvancedFilter}) {
        binder().action(id, file);
    }
    binder().action(W::kMenuAbout, binder().menu(bar, QStringLiteral("Help")));
    return bar;
}

QWidget* EditAlbumView::makeAlbumSide() {
    auto* side = new QWidget(this);
    side->setFixedWidth(300);
    auto* layout = new QVBoxLayout(side);
    layout->setContentsMargins(0, 0, 0, 0);

    QPlainTextEdit* path = binder().textView(W::kPath);
    path->setFixedHeight(path->fontMetrics().lineSpacing() * 3 + 12);
    path->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    layout->addWidget(groupAround(binder().group(W::kPathGroup), path));
    layout->addWidget(groupAround(binder().group(W::kDirGroup), binder().lineEdit(W::kDirName)));
    layout->addWidget(groupAround(binder().group(W::kNameGroup), binder().lineEdit(W::kName)));
    for (int id : {W::kCreateSubDir, W::kKeepName}) {
        layout->addWidget(binder().checkBox(id));
    }
    // Two short choices on one row: the window fits a small screen.
    auto* split = new QHBoxLayout;
    split->addWidget(binder().checkBox(W::kSplitByDays));
    split->addWidget(binder().checkBox(W::kSortableNames));
    split->addStretch(1);
    layout->addLayout(split);

    QGroupBox* add = binder().group(W::kAddGroup);
    auto* boxes = new QHBoxLayout(add);
    for (int id : {W::kAddDate, W::kAddTime, W::kAddCameraModel}) {
        boxes->addWidget(binder().checkBox(id));
    }
    boxes->addStretch(1);
    layout->addWidget(add);

    QListWidget* info = binder().list(W::kPictureInfo);
    // Short, so the window fits a small screen; it grows with the window.
    info->setMinimumHeight(48);
    layout->addWidget(groupAround(binder().group(W::kInfoGroup), info), 1);

    auto* buttons = new QHBoxLayout;
    for (int id : {W::kSave, W::kDiscard}) {
        QPushButton* button = binder().button(id);
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    layout->addLayout(buttons);
    return side;
}

QWidget* EditAlbumView::makeFilmSide() {
    QGroupBox* group = binder().group(W::kFilmGroup);
    auto* layout = new QVBoxLayout(group);

    auto* status = new QHBoxLayout;
    QLabel* line = binder().label(W::kStatus);
    line->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    status->addWidget(line, 1);
    status->addWidget(binder().label(W::kSize));
    layout->addLayout(status);

    // One row of range controls above the film for its start, one below for its end.
    auto rangeRow = [this](int set, int clear, int text) {
        auto* row = new QHBoxLayout;
        for (int id : {set, clear}) {
            QPushButton* button = binder().button(id);
            button->setAutoDefault(false);
            row->addWidget(button);
        }
        QLabel* shown = binder().label(text);
        makeLine(shown);
        row->addWidget(shown, 1);
        return row;
    };
    layout->addLayout(rangeRow(W::kSetStart, W::kClearStart, W::kStartText));
    // The film takes whatever room the window has.
    layout->addWidget(makeFilm(), 1);
    layout->addLayout(rangeRow(W::kSetEnd, W::kClearEnd, W::kEndText));

    QLabel* sort = binder().label(W::kSortLine);
    sort->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    layout->addWidget(sort);
    return group;
}

QWidget* EditAlbumView::makeFilm() {
    auto* strip = new QFrame(this);
    strip->setObjectName(QStringLiteral("FilmStrip"));
    strip->setFrameStyle(QFrame::Box | QFrame::Plain);
    auto* layout = new QVBoxLayout(strip);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto* upper = new FilmEdge(strip);
    auto* lower = new FilmEdge(strip);
    ThumbnailListView* film = binder().thumbnailList(
        W::kFilm, QSize(FilmImageList::kWidth, FilmImageList::kHeight), kLabelLines);
    film->setFrameShape(QFrame::NoFrame);
    // The film between the edges is dark, with light labels.
    QPalette colours = film->palette();
    colours.setColor(QPalette::Base, QColor(0x2a, 0x2a, 0x2a));
    colours.setColor(QPalette::Text, QColor(0xee, 0xee, 0xee));
    film->setPalette(colours);
    // The sprocket holes move as the film is scrolled.
    QObject::connect(film->verticalScrollBar(), &QScrollBar::valueChanged, strip, [upper, lower](int value) {
        upper->setOffset(value);
        lower->setOffset(value);
    });

    layout->addWidget(upper);
    layout->addWidget(film, 1);
    layout->addWidget(lower);
    return strip;
}

}  // namespace dz::gui
