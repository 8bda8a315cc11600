#include "gui/AboutView.h"

#include "app/CAboutDlg.h"

#include <QDialogButtonBox>
#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace dz::gui {

AboutView::AboutView(Window& window, QWidget* parent) : WindowView(window, parent) {
    auto* icon = new QLabel(this);
    icon->setPixmap(QPixmap(QStringLiteral(":/icons/dezoredu-128.png")));
    icon->setAlignment(Qt::AlignTop);

    QLabel* version = binder().label(CAboutDlg::kVersion);
    QFont bold = version->font();
    bold.setBold(true);
    version->setFont(bold);
    QLabel* credits = binder().label(CAboutDlg::kCredits);
    credits->setWordWrap(true);
    credits->setMinimumWidth(280);

    auto* texts = new QVBoxLayout;
    texts->addWidget(version);
    texts->addWidget(binder().label(CAboutDlg::kBuild));
    texts->addSpacing(8);
    texts->addWidget(credits);
    texts->addStretch(1);

    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addSpacing(12);
    top->addLayout(texts, 1);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = binder().button(CAboutDlg::kOk);
    ok->setDefault(true);
    buttons->addButton(ok, QDialogButtonBox::AcceptRole);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace dz::gui
