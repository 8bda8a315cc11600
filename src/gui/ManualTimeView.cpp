#include "gui/ManualTimeView.h"

#include "albums/CManualTime.h"

#include <QDate>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTime>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace dz::gui {

namespace {

using M = CManualTime;

// The window's picker texts.
const QString kDateForm = QStringLiteral("yyyy-MM-dd");
const QString kTimeForm = QStringLiteral("HH:mm:ss");

// The locale's short date, with the year in full: a two-digit year could not
// be told from another century's.
QString shortDateFormat() {
    QString format = QLocale().dateFormat(QLocale::ShortFormat);
    if (!format.contains(QStringLiteral("yyyy"))) {
        format.replace(QStringLiteral("yy"), QStringLiteral("yyyy"));
    }
    return format;
}

}  // namespace

ManualTimeView::ManualTimeView(Window& window, QWidget* parent) : WindowView(window, parent) {
    // The window sets its pickers in its handlers and then redraws.
    window.setRefreshListener([this] {
        draw();
        drawPickers();
    });

    auto* layout = new QVBoxLayout(this);
    auto* ends = new QHBoxLayout;
    const struct {
        int group;
        int date;
        int time;
    } parts[] = {{M::kStartGroup, M::kStartDate, M::kStartTime}, {M::kEndGroup, M::kEndDate, M::kEndTime}};
    for (const auto& part : parts) {
        if (part.group == M::kEndGroup) {
            ends->addWidget(binder().label(M::kTo));
        }
        QGroupBox* group = binder().group(part.group);
        auto* inside = new QHBoxLayout(group);
        inside->addWidget(datePicker(part.date));
        inside->addWidget(timePicker(part.time));
        ends->addWidget(group);
    }
    layout->addLayout(ends);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = binder().button(M::kOk);
    ok->setDefault(true);
    buttons->addButton(ok, QDialogButtonBox::AcceptRole);
    buttons->addButton(binder().button(M::kCancel), QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QDateTimeEdit* ManualTimeView::datePicker(int id) {
    auto* picker = new QDateEdit(this);
    picker->setDisplayFormat(shortDateFormat());
    picker->setCalendarPopup(true);
    // From the second day of the time scale on, so that no bias can take a
    // chosen time before its start.
    picker->setDateRange(QDate(1601, 1, 2), QDate(9999, 12, 31));
    bindPicker(id, picker, true);
    return picker;
}

QDateTimeEdit* ManualTimeView::timePicker(int id) {
    auto* picker = new QTimeEdit(this);
    picker->setDisplayFormat(kTimeForm);
    bindPicker(id, picker, false);
    return picker;
}

void ManualTimeView::bindPicker(int id, QDateTimeEdit* picker, bool date) {
    picker->setObjectName(ControlBinder::objectName(id));
    picker->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    if (date) {
        connect(static_cast<QDateEdit*>(picker), &QDateEdit::dateChanged, this, [this, id](QDate value) {
            handle([id, text = value.toString(kDateForm).toStdString()](Window& w) {
                w.control(id).text = text;
                w.onTextChanged(id);
            });
        });
    } else {
        connect(static_cast<QTimeEdit*>(picker), &QTimeEdit::timeChanged, this, [this, id](QTime value) {
            handle([id, text = value.toString(kTimeForm).toStdString()](Window& w) {
                w.control(id).text = text;
                w.onTextChanged(id);
            });
        });
    }
    pickers_.push_back(Picker{id, picker, date});
}

void ManualTimeView::drawPickers() {
    for (const Picker& picker : pickers_) {
        const Control& c = window().control(picker.id);
        const QString text = QString::fromStdString(c.text);
        const QSignalBlocker quiet(picker.widget);
        // A text the picker cannot show (a year beyond its range) leaves it
        // as it is; the window keeps the text until the user changes it.
        if (picker.date) {
            const QDate value = QDate::fromString(text, kDateForm);
            if (value.isValid() && value != picker.widget->date()) {
                picker.widget->setDate(value);
            }
        } else {
            const QTime value = QTime::fromString(text, kTimeForm);
            if (value.isValid() && value != picker.widget->time()) {
                picker.widget->setTime(value);
            }
        }
        picker.widget->setEnabled(c.enabled);
    }
}

}  // namespace dz::gui
