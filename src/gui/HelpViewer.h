#pragma once

#include <QWidget>

#include <string>

class QTextBrowser;

namespace dz::gui {

// The program's help window: the help file (one HTML page) in a text
// browser, opened at a topic's anchor or at the top for the contents. It is
// not modal, so the user can keep it beside the window the help is about.
// It belongs to the modal window that asked for it: a window of a modal
// window's own is the one kind that window's loop lets take input, and the
// window manager keeps it in front of its owner.
class HelpViewer : public QWidget {
    Q_OBJECT

public:
    explicit HelpViewer(QWidget* owner = nullptr);

    // Moves the help to another owner (nullptr: none), staying where it is
    // and as shown as it was.
    void setOwner(QWidget* owner);

    // Shows `file` scrolled to `anchor` ("topic-6"; empty for the top).
    void showTopic(const std::string& file, const std::string& anchor);

    QTextBrowser* browser() const { return browser_; }

private:
    QTextBrowser* browser_;
};

}  // namespace dz::gui
