#include "gui/MainWindowView.h"

#include "app/CVazedazDlg.h"
#include "app/MainWindowIds.h"

#include <QAction>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QIcon>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace dz::gui {

using namespace mainwin;

namespace {

// A static that shows a folder path or a status: framed like a field, and
// never widening the window for a long path.
void makeField(QLabel* label) {
    label->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    label->setProperty("field", true);
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    label->setMinimumWidth(120);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
}

}  // namespace

MainWindowView::MainWindowView(Window& window, QWidget* parent) : WindowView(window, parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(makeMenuBar());

    QGroupBox* title = binder().group(kGroupTitle);
    auto* steps = new QVBoxLayout(title);
    steps->addWidget(makeStepOne());
    steps->addWidget(makeStepTwo(), 1);
    layout->addWidget(title, 1);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(makeStepThree(), 1);
    QPushButton* close = binder().button(kCloseWindow);
    close->setDefault(true);
    bottom->addWidget(close, 0, Qt::AlignBottom);
    layout->addLayout(bottom);

    // The stand-in for the system menu's About item: the window's context menu.
    setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* about = new QAction(this);
    binder().bindAction(kSystemAbout, about);
    addAction(about);

    resize(700, 640);
}

QMenuBar* MainWindowView::makeMenuBar() {
    auto* bar = new QMenuBar(this);
    bar->setObjectName(QStringLiteral("MenuBar"));
    auto items = [this](QMenu* menu, std::initializer_list<int> ids) {
        for (int id : ids) {
            binder().action(id, menu);
        }
    };
    QMenu* file = binder().menu(bar, QStringLiteral("File"));
    items(file, {kMenuSaveSession, kMenuLoadSession});
    file->addSeparator();
    items(file, {kMenuExit});
    items(binder().menu(bar, QStringLiteral("Directories")), {kMenuSelectSource, kMenuSelectTarget});
    items(binder().menu(bar, QStringLiteral("Utilities")), {kMenuSearchDuplicates});
    QMenu* albums = binder().menu(bar, QStringLiteral("Albums"));
    items(binder().menu(albums, QStringLiteral("Set New Album")), {kMenuStartPositive, kMenuStartNegative});
    items(albums, {kMenuEditSelected, kMenuSuggestAlbums});
    albums->addSeparator();
    items(albums, {kMenuUndoProcessing});
    items(binder().menu(bar, QStringLiteral("Options")), {kMenuTimeFormat, kMenuProcessOptions, kMenuPictureFiles, kMenuCameraClocks, kMenuSkin});
    QMenu* help = binder().menu(bar, QStringLiteral("Help"));
    items(help, {kMenuHelpContents, kMenuHelpIntroduction, kMenuWhatsNew});
    help->addSeparator();
    items(help, {kMenuHomepage});
    help->addSeparator();
    items(help, {kMenuAbout});
    return bar;
}

QWidget* MainWindowView::makeStepOne() {
    QGroupBox* step = binder().group(kGroupStep1);
    auto* grid = new QGridLayout(step);
    grid->setColumnStretch(2, 1);

    const struct {
        int button;
        const char* icon;
        int label;
        int field;
    } rows[] = {
        {kSelectSourceButton, ":/icons/source-folder-167.png", kLabelSource, kSourceFolder},
        {kSelectTargetButton, ":/icons/target-folder-133.png", kLabelTarget, kTargetFolder},
    };
    int row = 0;
    for (const auto& r : rows) {
        QPushButton* button = binder().button(r.button);
        button->setIcon(QIcon(QString::fromLatin1(r.icon)));
        button->setIconSize(QSize(32, 32));
        button->setAutoDefault(false);
        grid->addWidget(button, row, 0);
        // The picture buttons have no text; "Source:" and "Target:" are their captions.
        grid->addWidget(binder().captionLabel(r.label, button), row, 1);
        QLabel* field = binder().label(r.field);
        makeField(field);
        // A folder from the file manager, dropped on the field or its button.
        binder().acceptFolderDrops(r.field, field);
        binder().acceptFolderDrops(r.button, button);
        grid->addWidget(field, row, 2);
        ++row;
    }
    // Which files the source is looked at for, changed in one click.
    auto* files = new QHBoxLayout;
    files->addWidget(binder().radioButton(kPictureFilesAll));
    files->addWidget(binder().radioButton(kPictureFilesJpegOnly));
    files->addStretch(1);
    grid->addLayout(files, 0, 3);
    grid->addWidget(binder().label(kLabelStatus), row, 1);
    auto* status = new QVBoxLayout;
    QLabel* statusText = binder().label(kStatus);
    makeField(statusText);
    statusText->setWordWrap(true);
    statusText->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Minimum);
    status->addWidget(statusText);
    status->addWidget(binder().label(CVazedazDlg::kScanProgress));
    grid->addLayout(status, row, 2);
    QPushButton* passedOver = binder().button(kPassedOverButton);
    passedOver->setAutoDefault(false);
    grid->addWidget(passedOver, row, 3, Qt::AlignLeft | Qt::AlignTop);
    return step;
}

QWidget* MainWindowView::makeStepTwo() {
    QGroupBox* step = binder().group(kGroupStep2);
    auto* layout = new QVBoxLayout(step);

    QGroupBox* albums = binder().group(kGroupAlbums);
    auto* lists = new QGridLayout(albums);
    lists->addWidget(binder().label(kLabelAlbumsList), 0, 0);
    lists->addWidget(binder().label(kLabelAlbumDetails), 0, 1);
    for (int id : {kAlbumsList, kAlbumDetails}) {
        QListWidget* list = binder().list(id);
        list->setMinimumHeight(150);
        lists->addWidget(list, 1, id == kAlbumsList ? 0 : 1);
    }
    lists->setColumnStretch(0, 2);
    lists->setColumnStretch(1, 3);

    auto* side = new QVBoxLayout;
    QToolButton* picture = binder().toolButton(kAlbumPicture);
    picture->setIcon(QIcon(QStringLiteral(":/icons/new-album-168.png")));
    picture->setIconSize(QSize(48, 48));
    picture->setAutoRaise(true);
    picture->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    picture->setCursor(Qt::PointingHandCursor);
    side->addWidget(picture, 0, Qt::AlignHCenter);
    QPushButton* remove = binder().button(kDeleteAlbum);
    remove->setAutoDefault(false);
    side->addWidget(remove);
    side->addStretch(1);
    lists->addLayout(side, 1, 2);

    layout->addWidget(albums, 1);
    QLabel* summary = binder().label(kAlbumSummary);
    summary->setWordWrap(true);
    layout->addWidget(summary);
    return step;
}

QWidget* MainWindowView::makeStepThree() {
    QGroupBox* step = binder().group(kGroupStep3);
    auto* layout = new QHBoxLayout(step);
    QPushButton* process = binder().button(kProcess);
    process->setAutoDefault(false);
    process->setMinimumWidth(120);
    layout->addWidget(process);
    layout->addStretch(1);
    return step;
}

}  // namespace dz::gui
