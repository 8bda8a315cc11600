#pragma once

#include <QWidget>

#include <string>

class QTextBrowser;

namespace dz::gui {

// The program's help window: the help file (one HTML page) in a text
// browser, opened at a topic's anchor or at the top for the contents. It is
// not modal, so the user can keep it beside the window the help is about.
class HelpViewer : public QWidget {
    Q_OBJECT

public:
    HelpViewer();

    // Shows `file` scrolled to `anchor` ("topic-6"; empty for the top).
    void showTopic(const std::string& file, const std::string& anchor);

    QTextBrowser* browser() const { return browser_; }

private:
    QTextBrowser* browser_;
};

}  // namespace dz::gui
