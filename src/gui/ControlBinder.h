#pragma once

#include "gui/Mnemonics.h"
#include "platform/Window.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <map>
#include <string>
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
class QMenuBar;
class QObject;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSize;
class QSlider;
class QToolButton;
class QTreeWidget;
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
    // A menu of the menu bar or a sub-menu, its title with an Alt+letter key.
    QMenu* menu(QMenuBar* bar, const QString& title);
    QMenu* menu(QMenu* parent, const QString& title);
    QRadioButton* radioButton(int id);
    // A horizontal slider: each move tells the window at once, the settled
    // value once the handle is let go or a short pause after keys.
    QSlider* slider(int id);
    // A read-only text of several lines.
    QPlainTextEdit* textView(int id);
    // A list of rows in columns headed by `headers`: each item of the control
    // is one row, its columns separated by tabs. Selection as a list's.
    QTreeWidget* table(int id, const QStringList& headers);
    QTreeWidget* table(int id, const std::vector<std::string>& headers);
    // A text that is `buddy`'s own caption: clicking it clicks the buddy and
    // its Alt+letter key goes to the buddy.
    QLabel* captionLabel(int id, QAbstractButton* buddy);
    // A picture frame: shows the control's picture.
    QLabel* picture(int id);
    // A list view of the control's strip pictures with their labels.
    ThumbnailListView* thumbnailList(int id, QSize imageSize, int labelLines);

    // The control `id` of the window gets the Alt+`letter` key.
    void preferMnemonic(int id, QChar letter) { mnemonics_[owner_].prefer(id, letter); }

    // Dropping one folder from a file manager on `widget` tells the window
    // (onFolderDropped with `id`).
    void acceptFolderDrops(int id, QWidget* widget);

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
    void bindSlider(int id, QSlider* widget);
    void bindTextView(int id, QPlainTextEdit* widget);
    void bindTable(int id, QTreeWidget* widget);
    void bindPicture(int id, QLabel* widget);
    void bindThumbnailList(int id, ThumbnailListView* widget);

    // Draws every bound widget from its control; signals of the widgets are
    // blocked meanwhile, so drawing never calls a handler.
    void draw() const;

private:
    void add(int id, QObject* object, std::function<void(const Control&)> draw);
    void drawCommon(QWidget* widget, const Control& c) const;
    // The caption with its Alt+letter key within `scope` (the window or a menu).
    QString caption(const void* scope, int id, const std::string& text);
    // The keys of the shortcut table that belong to control `id`.
    void addShortcuts(int id, QObject* object);

    struct Binding {
        int id;
        QObject* object;
        std::function<void(const Control&)> draw;
    };

    Window& window_;
    QWidget* owner_;
    Handle handle_;
    std::vector<Binding> bindings_;
    std::map<const void*, Mnemonics> mnemonics_;
};

}  // namespace dz::gui
