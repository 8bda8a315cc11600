#include "gui/ProcessView.h"

#include "process/CProcess.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace dz::gui {

namespace {

// The lines change with every picture; they take the width the bars give
// instead of resizing the dialog each time.
QLabel* statusLine(QLabel* line) {
    line->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    return line;
}

}  // namespace

ProcessView::ProcessView(Window& window, QWidget* parent) : WindowView(window, parent) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(statusLine(binder().label(CProcess::kProcessStatus)));
    for (const int bar : {CProcess::kAlbumProgress, CProcess::kPictureProgress}) {
        QProgressBar* progress = binder().progress(bar);
        progress->setMinimumWidth(380);
        layout->addWidget(progress);
    }
    layout->addWidget(statusLine(binder().label(CProcess::kProcessHint)));

    // A row of its own, not a button box: the order stays Process, Cancel,
    // Close Window on every desktop.
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(binder().button(CProcess::kPreview));
    buttons->addStretch(1);
    buttons->addWidget(binder().button(CProcess::kProcess));
    buttons->addWidget(binder().button(CProcess::kCancel));
    QPushButton* close = binder().button(CProcess::kCloseWindow);
    close->setDefault(true);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace dz::gui
