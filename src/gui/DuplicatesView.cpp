#include "gui/DuplicatesView.h"

#include "duplicates/CDuplicates.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace dz::gui {

DuplicatesView::DuplicatesView(Window& window, QWidget* parent) : WindowView(window, parent) {
    auto* layout = new QVBoxLayout(this);

    auto* top = new QHBoxLayout;
    QListWidget* groups = binder().list(CDuplicates::kGroups);
    groups->setMinimumSize(420, CDuplicates::kViewerHeight + 60);
    top->addWidget(groups, 1);

    auto* viewer = new QVBoxLayout;
    viewer->addWidget(binder().label(CDuplicates::kViewerCaption));
    QLabel* frame = binder().picture(CDuplicates::kViewer);
    frame->setFixedSize(CDuplicates::kViewerWidth, CDuplicates::kViewerHeight);
    // A sunken black frame, black also before the first picture is drawn.
    frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    frame->setStyleSheet(QStringLiteral("background-color: black;"));
    viewer->addWidget(frame);
    viewer->addWidget(binder().button(CDuplicates::kRemoveSelected), 0, Qt::AlignLeft);
    viewer->addStretch(1);
    top->addLayout(viewer);
    layout->addLayout(top, 1);

    QLabel* status = binder().label(CDuplicates::kStatus);
    // The line changes with every picture; it takes the width it is given
    // instead of resizing the dialog each time.
    status->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    layout->addWidget(status);
    layout->addWidget(binder().progress(CDuplicates::kProgress));

    auto* passes = new QHBoxLayout;
    passes->addWidget(binder().button(CDuplicates::kAnalize));
    passes->addWidget(binder().button(CDuplicates::kCompare));
    passes->addWidget(binder().checkBox(CDuplicates::kSimilar));
    passes->addWidget(binder().checkBox(CDuplicates::kExclude));
    passes->addStretch(1);
    layout->addLayout(passes);

    // A row of its own, so the order stays OK, Cancel on every desktop.
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    QPushButton* ok = binder().button(CDuplicates::kOk);
    ok->setDefault(true);
    buttons->addWidget(ok);
    buttons->addWidget(binder().button(CDuplicates::kCancel));
    layout->addLayout(buttons);
}

}  // namespace dz::gui
