#include "gui/SuggestAlbumsView.h"

#include "app/CSuggestAlbumsDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace dz::gui {

namespace {

using W = CSuggestAlbumsDlg;

}  // namespace

SuggestAlbumsView::SuggestAlbumsView(Window& window, QWidget* parent) : WindowView(window, parent) {
    auto* layout = new QVBoxLayout(this);

    auto* choice = new QHBoxLayout;
    choice->addWidget(binder().checkBox(W::kOnlyFree));
    choice->addSpacing(24);
    QLabel* modeLabel = binder().label(W::kModeLabel);
    QComboBox* mode = binder().comboBox(W::kMode);
    modeLabel->setBuddy(mode);
    choice->addWidget(modeLabel);
    choice->addWidget(mode);
    choice->addStretch(1);
    layout->addLayout(choice);

    auto* gap = new QHBoxLayout;
    QLabel* gapLabel = binder().label(W::kGapLabel);
    QSlider* slider = binder().slider(W::kGap);
    gapLabel->setBuddy(slider);
    slider->setMinimumWidth(360);
    slider->setTickPosition(QSlider::TicksBelow);
    slider->setTickInterval(12);
    slider->setPageStep(6);
    QLabel* hours = binder().label(W::kGapValue);
    hours->setMinimumWidth(hours->fontMetrics().horizontalAdvance(QStringLiteral("000")));
    gap->addWidget(gapLabel);
    gap->addWidget(slider);
    gap->addWidget(hours);
    gap->addSpacing(24);
    gap->addWidget(binder().label(W::kCount));
    gap->addSpacing(24);
    gap->addWidget(binder().label(W::kLeftOut));
    gap->addStretch(1);
    layout->addLayout(gap);

    QTreeWidget* proposals = binder().table(W::kProposals, W::proposalColumns());
    proposals->setMinimumSize(900, 200);
    // Fitted to their texts, the short columns would touch the next.
    proposals->header()->setMinimumSectionSize(90);
    layout->addWidget(proposals, 2);

    layout->addWidget(binder().label(W::kShotsLabel));
    auto* pictures = new QHBoxLayout;
    QTreeWidget* shots = binder().table(W::kShots, W::shotColumns());
    shots->setMinimumHeight(120);
    pictures->addWidget(shots, 1);
    auto* edits = new QVBoxLayout;
    edits->addWidget(binder().button(W::kSplit));
    edits->addWidget(binder().button(W::kMerge));
    edits->addStretch(1);
    pictures->addLayout(edits);
    layout->addLayout(pictures, 1);

    layout->addWidget(makeOptions());

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* accept = binder().button(W::kAccept);
    accept->setDefault(true);
    buttons->addButton(accept, QDialogButtonBox::AcceptRole);
    buttons->addButton(binder().button(W::kCancel), QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
    resize(1200, 760);
}

QWidget* SuggestAlbumsView::makeOptions() {
    QGroupBox* group = binder().group(W::kOptionsGroup);
    auto* grid = new QGridLayout(group);
    QLabel* dirLabel = binder().label(W::kDirLabel);
    QLineEdit* dir = binder().lineEdit(W::kDirName);
    dirLabel->setBuddy(dir);
    dir->setMinimumWidth(240);
    grid->addWidget(dirLabel, 0, 0);
    grid->addWidget(dir, 0, 1);
    grid->addWidget(binder().checkBox(W::kYearFolders), 0, 2);

    auto* naming = new QHBoxLayout;
    for (int id : {W::kCreateSubDir, W::kKeepName, W::kSortableNames, W::kSplitByDays}) {
        naming->addWidget(binder().checkBox(id));
    }
    naming->addStretch(1);
    grid->addLayout(naming, 1, 0, 1, 4);

    auto* added = new QHBoxLayout;
    added->addWidget(binder().label(W::kAddLabel));
    for (int id : {W::kAddDate, W::kAddTime, W::kAddCameraModel}) {
        added->addWidget(binder().checkBox(id));
    }
    added->addStretch(1);
    grid->addLayout(added, 2, 0, 1, 4);
    grid->setColumnStretch(3, 1);
    return group;
}

}  // namespace dz::gui
