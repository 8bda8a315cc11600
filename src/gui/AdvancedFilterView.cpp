#include "gui/AdvancedFilterView.h"

#include "albums/CAdvancedFilter.h"
#include "filter/FilterControls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace dz::gui {

namespace {

using F = CAdvancedFilter;

enum Column { kLabelColumn, kMaxColumn, kMinColumn, kBoxColumn, kResetColumn, kLampColumn };

// Wide enough for "(1/1000)~ 0.001s" and the longest program name.
constexpr int kChoiceChars = 16;

QComboBox* choice(ControlBinder& binder, int id) {
    QComboBox* box = binder.comboBox(id);
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box->setMinimumContentsLength(kChoiceChars);
    return box;
}

}  // namespace

AdvancedFilterView::AdvancedFilterView(Window& window, QWidget* parent) : WindowView(window, parent) {
    auto* layout = new QVBoxLayout(this);

    QGroupBox* settings = binder().group(F::kSettingsGroup);
    auto* grid = new QGridLayout(settings);
    grid->addWidget(binder().label(F::kMaxLabel), 0, kMaxColumn, Qt::AlignHCenter);
    grid->addWidget(binder().label(F::kMinLabel), 0, kMinColumn, Qt::AlignHCenter);
    const QIcon resetIcon = style()->standardIcon(QStyle::SP_BrowserReload);
    int line = 1;
    for (const CriterionControls& row : kFilterRows) {
        grid->addWidget(binder().label(F::kRowLabelBase + static_cast<int>(row.list)), line, kLabelColumn);
        if (row.minChoice != 0) {
            grid->addWidget(choice(binder(), row.maxChoice), line, kMaxColumn);
            grid->addWidget(choice(binder(), row.minChoice), line, kMinColumn);
        } else {
            // A single choice spans both columns.
            grid->addWidget(choice(binder(), row.maxChoice), line, kMaxColumn, 1, 2);
        }
        if (row.checkBox != 0) {
            grid->addWidget(binder().checkBox(row.checkBox), line, kBoxColumn);
        }
        QToolButton* reset = binder().toolButton(row.reset);
        reset->setIcon(resetIcon);
        reset->setAutoRaise(true);
        grid->addWidget(reset, line, kResetColumn);
        if (row.indicator != 0) {
            QLabel* lamp = binder().picture(row.indicator);
            lamp->setFixedSize(kIndicatorSize + 4, kIndicatorSize + 4);
            grid->addWidget(lamp, line, kLampColumn);
        }
        ++line;
    }
    grid->setColumnStretch(kMaxColumn, 1);
    grid->setColumnStretch(kMinColumn, 1);
    layout->addWidget(settings);

    auto* switches = new QHBoxLayout;
    switches->addWidget(binder().checkBox(F::kEnable));
    switches->addWidget(binder().checkBox(F::kLiveUpdate));
    switches->addStretch(1);
    switches->addWidget(binder().button(F::kResetFilters));
    layout->addLayout(switches);

    auto* bottom = new QHBoxLayout;
    QLabel* note = binder().label(F::kNote);
    note->setWordWrap(true);
    bottom->addWidget(note, 1);
    QPushButton* close = binder().button(F::kClose);
    close->setAutoDefault(false);
    bottom->addWidget(close);
    layout->addLayout(bottom);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace dz::gui
