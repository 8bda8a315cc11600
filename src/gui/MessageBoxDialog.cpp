#include "gui/MessageBoxDialog.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>

#include <algorithm>
#include <utility>
#include <vector>

namespace dz::gui {

namespace {

QMessageBox::Icon qtIcon(Icon icon) {
    switch (icon) {
    case Icon::Error:
        return QMessageBox::Critical;
    case Icon::Question:
        return QMessageBox::Question;
    case Icon::Exclamation:
        return QMessageBox::Warning;
    case Icon::Information:
        return QMessageBox::Information;
    case Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

using Choice = std::pair<QMessageBox::StandardButton, Answer>;

std::vector<Choice> choices(Buttons buttons) {
    switch (buttons) {
    case Buttons::Ok:
        return {{QMessageBox::Ok, Answer::Ok}};
    case Buttons::OkCancel:
        return {{QMessageBox::Ok, Answer::Ok}, {QMessageBox::Cancel, Answer::Cancel}};
    case Buttons::AbortRetryIgnore:
        return {{QMessageBox::Abort, Answer::Abort}, {QMessageBox::Retry, Answer::Retry},
                {QMessageBox::Ignore, Answer::Ignore}};
    case Buttons::YesNoCancel:
        return {{QMessageBox::Yes, Answer::Yes}, {QMessageBox::No, Answer::No}, {QMessageBox::Cancel, Answer::Cancel}};
    case Buttons::YesNo:
        return {{QMessageBox::Yes, Answer::Yes}, {QMessageBox::No, Answer::No}};
    case Buttons::RetryCancel:
        return {{QMessageBox::Retry, Answer::Retry}, {QMessageBox::Cancel, Answer::Cancel}};
    }
    return {{QMessageBox::Ok, Answer::Ok}};
}

// What closing the box without a button means: its Cancel, else its last
// button (No, Ignore), as Esc does on a classic message box.
Answer escapeAnswer(const std::vector<Choice>& all) {
    for (const auto& choice : all) {
        if (choice.second == Answer::Cancel) {
            return Answer::Cancel;
        }
    }
    return all.back().second;
}

// Wide enough for the whole caption in the title bar: a message box sizes
// itself by its text, and a short text under a long caption clips it.
void fitTitle(QMessageBox& box, const QString& caption) {
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid || caption.isEmpty()) {
        return;
    }
    // The title bar's font is the window manager's, commonly bold: allow for
    // that, its icon and its buttons.
    QFont titleFont = QApplication::font();
    titleFont.setBold(true);
    // Never wider than a small screen.
    const int width = std::min(QFontMetrics(titleFont).horizontalAdvance(caption) + 160, 1200);
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                  grid->columnCount());
}

}  // namespace

Answer MessageBoxDialog::ask(const MessageRequest& request, QWidget* parent) {
    QMessageBox box(parent);
    box.setObjectName(QStringLiteral("MessageBox"));
    box.setIcon(qtIcon(request.icon));
    box.setWindowTitle(QString::fromStdString(request.caption));
    box.setTextFormat(Qt::PlainText);
    box.setText(QString::fromStdString(request.text));
    const auto all = choices(request.buttons);
    QMessageBox::StandardButtons buttons;
    for (const auto& choice : all) {
        buttons |= choice.first;
    }
    box.setStandardButtons(buttons);
    // The first button is the default, as on the classic box.
    box.setDefaultButton(all.front().first);
    fitTitle(box, box.windowTitle());
    box.exec();
    const auto pressed = box.standardButton(box.clickedButton());
    for (const auto& choice : all) {
        if (choice.first == pressed) {
            return choice.second;
        }
    }
    return escapeAnswer(all);
}

}  // namespace dz::gui
