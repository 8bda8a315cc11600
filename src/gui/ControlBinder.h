#pragma once

#include "platform/Window.h"

#include <QString>

#include <functional>
#include <vector>

class QAbstractButton;
class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QObject;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSize;
class QToolButton;
class QWidget;

namespace dz::gui {

class ThumbnailListView;

// Ties widgets to the controls of one window: makes a widget for a control
// id, draws it from its control, and turns the user's input into the window's
// handler calls. Every handler call goes through `Handle`, so the view can
// redraw after it.
class ControlBinder {
public:
    using Handler = std::function<void(Window&)>;
    using Handle = std::function<void(const Handler&)>;

    ControlBinder(Window& window, QWidget* owner, Handle handle);

    // "control-1009": how tests and style sheets find the widget of a control.
    static QString objectName(int id);

    QLabel* label(int id);
    QGroupBox* group(int id);
    QPushButton* button(int id);
    QToolButton* toolButton(int id);
    QCheckBox* checkBox(int id);
    QListWidget* list(int id);
    QComboBox* comboBox(int id);
    QLineEdit* lineEdit(int id);
    QProgressBar* progress(int id);
    QAction* action(int id, QMenu* menu);
    QRadioButton* radioButton(int id);
    // A read-only text of several lines.
    QPlainTextEdit* textView(int id);
    // A picture frame: shows the control's picture.
    QLabel* picture(int id);
    // A list view of the control's strip pictures with their labels.
    ThumbnailListView* thumbnailList(int id, QSize imageSize, int labelLines);

    // Binds an existing widget or action.
    void bindLabel(int id, QLabel* widget);
    void bindGroup(int id, QGroupBox* widget);
    void bindButton(int id, QAbstractButton* widget);
    void bindCheckBox(int id, QCheckBox* widget);
    void bindList(int id, QListWidget* widget);
    void bindComboBox(int id, QComboBox* widget);
    void bindLineEdit(int id, QLineEdit* widget);
    void bindProgress(int id, QProgressBar* widget);
    void bindAction(int id, QAction* action);
    void bindRadioButton(int id, QRadioButton* widget);
    void bindTextView(int id, QPlainTextEdit* widget);
    void bindPicture(int id, QLabel* widget);
    void bindThumbnailList(int id, ThumbnailListView* widget);

    // Draws every bound widget from its control; signals of the widgets are
    // blocked meanwhile, so drawing never calls a handler.
    void draw() const;

private:
    void add(int id, QObject* object, std::function<void(const Control&)> draw);
    void drawCommon(QWidget* widget, const Control& c) const;

    struct Binding {
        int id;
        QObject* object;
        std::function<void(const Control&)> draw;
    };

    Window& window_;
    QWidget* owner_;
    Handle handle_;
    std::vector<Binding> bindings_;
};

}  // namespace dz::gui
