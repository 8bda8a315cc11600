#include "gui/TimeFormatView.h"

#include "albums/CTimeFormat.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace dz::gui {

TimeFormatView::TimeFormatView(Window& window, QWidget* parent) : WindowView(window, parent) {
    auto* layout = new QVBoxLayout(this);
    const struct {
        int group;
        int label;
        int list;
    } parts[] = {
        {CTimeFormat::kDateGroup, CTimeFormat::kDateLabel, CTimeFormat::kDateList},
        {CTimeFormat::kTimeGroup, CTimeFormat::kTimeLabel, CTimeFormat::kTimeList},
    };
    for (const auto& part : parts) {
        QGroupBox* group = binder().group(part.group);
        auto* inner = new QVBoxLayout(group);
        inner->addWidget(binder().label(part.label));
        QComboBox* list = binder().comboBox(part.list);
        list->setMinimumContentsLength(28);
        inner->addWidget(list);
        layout->addWidget(group);
    }
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* save = binder().button(CTimeFormat::kSave);
    save->setDefault(true);
    buttons->addButton(save, QDialogButtonBox::AcceptRole);
    buttons->addButton(binder().button(CTimeFormat::kDiscard), QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace dz::gui
