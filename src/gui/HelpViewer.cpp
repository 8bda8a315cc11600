#include "gui/HelpViewer.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace dz::gui {

// A dialog to the window manager, so it is kept in front of the window it belongs to.
constexpr Qt::WindowFlags kHelpWindow =
    Qt::Dialog | Qt::WindowTitleHint | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint;

HelpViewer::HelpViewer(QWidget* owner) : QWidget(owner, kHelpWindow), browser_(new QTextBrowser(this)) {
    setObjectName(QStringLiteral("HelpViewer"));
    setWindowTitle(QStringLiteral("Dezoredu Help"));
    browser_->setObjectName(QStringLiteral("HelpBrowser"));
    browser_->setOpenExternalLinks(true);

    auto* contents = new QPushButton(QStringLiteral("C&ontents"), this);
    auto* back = new QPushButton(QStringLiteral("&Back"), this);
    auto* close = new QPushButton(QStringLiteral("&Close"), this);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
    back->setEnabled(false);
    // The contents open the page.
    connect(contents, &QPushButton::clicked, this, [this] { browser_->verticalScrollBar()->setValue(0); });
    connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(contents);
    buttons->addWidget(back);
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(browser_, 1);
    resize(640, 560);
}

void HelpViewer::setOwner(QWidget* owner) {
    if (parentWidget() == owner) {
        return;
    }
    const bool shown = isVisible();
    const QRect place = geometry();
    setParent(owner, kHelpWindow);
    setGeometry(place);
    if (shown) {
        show();
    }
}

void HelpViewer::showTopic(const std::string& file, const std::string& anchor) {
    show();
    raise();
    activateWindow();
    const QUrl page = QUrl::fromLocalFile(QString::fromStdString(file));
    // The help file keeps its classic name, so say what it holds.
    if (browser_->source().adjusted(QUrl::RemoveFragment) != page) {
        browser_->setSource(page, QTextDocument::HtmlResource);
    }
    if (anchor.empty()) {
        browser_->verticalScrollBar()->setValue(0);
        return;
    }
    browser_->scrollToAnchor(QString::fromStdString(anchor));
}

}  // namespace dz::gui
