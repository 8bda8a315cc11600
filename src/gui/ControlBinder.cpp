#include "gui/ControlBinder.h"

#include "gui/FolderDrop.h"
#include "gui/LabelEditDelegate.h"
#include "gui/Shortcuts.h"
#include "gui/ThumbnailListModel.h"
#include "gui/ThumbnailListView.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

#include <algorithm>
#include <memory>

namespace dz::gui {

namespace {

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

// Replaces the rows only when they differ, so a redraw keeps the scroll position.
// `drawn` holds what the widget shows. Long passes redraw at every pump while
// their list only grows, so unchanged rows are compared as bytes (no QString
// per row) and new rows are appended instead of refilling the whole list.
void drawItems(QListWidget* widget, const std::vector<std::string>& items, std::vector<std::string>& drawn) {
    if (static_cast<int>(drawn.size()) != widget->count()) {
        drawn.clear();
        widget->clear();
    }
    const bool grows = items.size() >= drawn.size() && std::equal(drawn.begin(), drawn.end(), items.begin());
    if (grows && items.size() == drawn.size()) {
        return;
    }
    if (!grows) {
        drawn.clear();
        widget->clear();
    }
    for (std::size_t i = drawn.size(); i < items.size(); ++i) {
        widget->addItem(qt(items[i]));
    }
    drawn.insert(drawn.end(), items.begin() + static_cast<std::ptrdiff_t>(drawn.size()), items.end());
}

void drawItems(QComboBox* widget, const std::vector<std::string>& items) {
    bool same = widget->count() == static_cast<int>(items.size());
    for (int i = 0; same && i < widget->count(); ++i) {
        same = widget->itemText(i) == qt(items[static_cast<std::size_t>(i)]);
    }
    if (same) {
        return;
    }
    widget->clear();
    for (const auto& item : items) {
        widget->addItem(qt(item));
    }
}

// Rows of a table: refilled only when they differ, the columns then fitted
// to their texts once, so the user may still widen them.
void drawRows(QTreeWidget* widget, const std::vector<std::string>& items, std::vector<std::string>& drawn) {
    if (items == drawn && static_cast<int>(drawn.size()) == widget->topLevelItemCount()) {
        return;
    }
    widget->clear();
    QList<QTreeWidgetItem*> rows;
    rows.reserve(static_cast<qsizetype>(items.size()));
    for (const std::string& item : items) {
        auto* row = new QTreeWidgetItem(qt(item).split(QLatin1Char('\t')));
        // A cell too narrow for its text shows it whole on hover.
        for (int column = 0; column < row->columnCount(); ++column) {
            row->setToolTip(column, row->text(column));
        }
        rows.push_back(row);
    }
    widget->addTopLevelItems(rows);
    for (int column = 0; column + 1 < widget->columnCount(); ++column) {
        widget->resizeColumnToContents(column);
    }
    drawn = items;
}

QPixmap pictureOf(const Control& c) {
    const std::size_t bytes = static_cast<std::size_t>(std::max(c.pictureWidth, 0)) * std::max(c.pictureHeight, 0) * 3;
    if (bytes == 0 || c.picture.size() != bytes) {
        return {};
    }
    const QImage image(c.picture.data(), c.pictureWidth, c.pictureHeight, c.pictureWidth * 3, QImage::Format_RGB888);
    return QPixmap::fromImage(image.copy());
}

// Hands a click on a caption to the button it belongs to.
class ClickThrough final : public QObject {
public:
    ClickThrough(QWidget* caption, QAbstractButton* buddy) : QObject(caption), buddy_(buddy) {
        caption->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonRelease &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && buddy_->isEnabled()) {
            buddy_->setFocus(Qt::MouseFocusReason);
            buddy_->click();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QAbstractButton* buddy_;
};

// Runs `run` when `keys` are pressed in the widget it watches.
class KeyCommand final : public QObject {
public:
    KeyCommand(QWidget* widget, QKeySequence keys, std::function<void()> run)
        : QObject(widget), keys_(std::move(keys)), run_(std::move(run)) {
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const bool press = event->type() == QEvent::KeyPress;
        if (press || event->type() == QEvent::ShortcutOverride) {
            auto* key = static_cast<QKeyEvent*>(event);
            // The keypad's Enter is Enter.
            const QKeyCombination pressed(key->modifiers() & ~Qt::KeypadModifier, Qt::Key(key->key()));
            if (QKeySequence(pressed) == keys_) {
                // Ours, not a window shortcut's nor the default button's.
                event->accept();
                if (press) {
                    run_();
                }
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QKeySequence keys_;
    std::function<void()> run_;
};

}  // namespace

ControlBinder::ControlBinder(Window& window, QWidget* owner, Handle handle)
    : window_(window), owner_(owner), handle_(std::move(handle)) {}

QString ControlBinder::objectName(int id) {
    return QStringLiteral("control-%1").arg(id);
}

QLabel* ControlBinder::label(int id) {
    auto* widget = new QLabel(owner_);
    bindLabel(id, widget);
    return widget;
}

QGroupBox* ControlBinder::group(int id) {
    auto* widget = new QGroupBox(owner_);
    bindGroup(id, widget);
    return widget;
}

QPushButton* ControlBinder::button(int id) {
    auto* widget = new QPushButton(owner_);
    bindButton(id, widget);
    return widget;
}

QToolButton* ControlBinder::toolButton(int id) {
    auto* widget = new QToolButton(owner_);
    bindButton(id, widget);
    return widget;
}

QCheckBox* ControlBinder::checkBox(int id) {
    auto* widget = new QCheckBox(owner_);
    bindCheckBox(id, widget);
    return widget;
}

QListWidget* ControlBinder::list(int id) {
    auto* widget = new QListWidget(owner_);
    bindList(id, widget);
    return widget;
}

QComboBox* ControlBinder::comboBox(int id) {
    auto* widget = new QComboBox(owner_);
    bindComboBox(id, widget);
    return widget;
}

QLineEdit* ControlBinder::lineEdit(int id) {
    auto* widget = new QLineEdit(owner_);
    bindLineEdit(id, widget);
    return widget;
}

QProgressBar* ControlBinder::progress(int id) {
    auto* widget = new QProgressBar(owner_);
    bindProgress(id, widget);
    return widget;
}

QAction* ControlBinder::action(int id, QMenu* menu) {
    auto* item = menu->addAction(QString());
    bindAction(id, item);
    return item;
}

QMenu* ControlBinder::menu(QMenuBar* bar, const QString& title) {
    // The menu bar's letters share the window's scope: Alt+letter is one key space.
    return bar->addMenu(mnemonics_[owner_].mark(-1 - static_cast<int>(bar->actions().size()), title));
}

QMenu* ControlBinder::menu(QMenu* parent, const QString& title) {
    return parent->addMenu(mnemonics_[parent].mark(-1 - static_cast<int>(parent->actions().size()), title));
}

QString ControlBinder::caption(const void* scope, int id, const std::string& text) {
    return mnemonics_[scope].mark(id, qt(text));
}

void ControlBinder::acceptFolderDrops(int id, QWidget* widget) {
    new FolderDrop(widget, [this, id](const std::string& folder) {
        handle_([id, folder](Window& w) { w.onFolderDropped(id, folder); });
    });
}

void ControlBinder::addShortcuts(int id, QObject* object) {
    for (const Shortcut& entry : shortcutTable()) {
        if (entry.windowClass != window_.className() || entry.control != id) {
            continue;
        }
        if (auto* item = qobject_cast<QAction*>(object)) {
            item->setShortcuts(item->shortcuts() << entry.keys);
            continue;
        }
        auto* widget = qobject_cast<QWidget*>(object);
        if (!widget) {
            continue;
        }
        // Only while the widget has the focus: Delete and Enter mean other
        // things elsewhere. A key filter rather than a QShortcut, since item
        // views take these keys for themselves before shortcuts see them.
        const int command = entry.command;
        new KeyCommand(widget, entry.keys, [this, id, command] {
            handle_([id, command](Window& w) {
                if (command == 0) {
                    w.onDoubleClick(id);
                } else if (w.control(command).enabled) {
                    w.onCommand(command);
                }
            });
        });
    }
}

QRadioButton* ControlBinder::radioButton(int id) {
    auto* widget = new QRadioButton(owner_);
    bindRadioButton(id, widget);
    return widget;
}

QSlider* ControlBinder::slider(int id) {
    auto* widget = new QSlider(Qt::Horizontal, owner_);
    bindSlider(id, widget);
    return widget;
}

QPlainTextEdit* ControlBinder::textView(int id) {
    auto* widget = new QPlainTextEdit(owner_);
    bindTextView(id, widget);
    return widget;
}

QLabel* ControlBinder::captionLabel(int id, QAbstractButton* buddy) {
    auto* widget = new QLabel(owner_);
    widget->setObjectName(objectName(id));
    widget->setTextFormat(Qt::PlainText);
    widget->setBuddy(buddy);
    new ClickThrough(widget, buddy);
    add(id, widget, [this, widget, id](const Control& c) {
        widget->setText(caption(owner_, id, c.text));
        drawCommon(widget, c);
    });
    return widget;
}

QLabel* ControlBinder::picture(int id) {
    auto* widget = new QLabel(owner_);
    bindPicture(id, widget);
    return widget;
}

ThumbnailListView* ControlBinder::thumbnailList(int id, QSize imageSize, int labelLines) {
    auto* widget = new ThumbnailListView(owner_, imageSize, labelLines);
    bindThumbnailList(id, widget);
    return widget;
}

void ControlBinder::bindLabel(int id, QLabel* widget) {
    widget->setObjectName(objectName(id));
    // Folder paths and statuses are shown as they are, never as markup.
    widget->setTextFormat(Qt::PlainText);
    add(id, widget, [this, widget](const Control& c) {
        widget->setText(qt(c.text));
        drawCommon(widget, c);
    });
}

void ControlBinder::bindGroup(int id, QGroupBox* widget) {
    widget->setObjectName(objectName(id));
    add(id, widget, [this, widget](const Control& c) {
        widget->setTitle(qt(c.text));
        drawCommon(widget, c);
    });
}

void ControlBinder::bindButton(int id, QAbstractButton* widget) {
    widget->setObjectName(objectName(id));
    QObject::connect(widget, &QAbstractButton::clicked, widget,
                     [this, id] { handle_([id](Window& w) { w.onCommand(id); }); });
    add(id, widget, [this, widget, id](const Control& c) {
        widget->setText(caption(owner_, id, c.text));
        drawCommon(widget, c);
    });
}

void ControlBinder::bindCheckBox(int id, QCheckBox* widget) {
    widget->setObjectName(objectName(id));
    QObject::connect(widget, &QCheckBox::clicked, widget, [this, id](bool checked) {
        handle_([id, checked](Window& w) {
            w.control(id).checked = checked;
            w.onCommand(id);
        });
    });
    add(id, widget, [this, widget, id](const Control& c) {
        widget->setText(caption(owner_, id, c.text));
        widget->setChecked(c.checked);
        drawCommon(widget, c);
    });
}

void ControlBinder::bindList(int id, QListWidget* widget) {
    widget->setObjectName(objectName(id));
    widget->setSelectionMode(QAbstractItemView::SingleSelection);
    QObject::connect(widget, &QListWidget::currentRowChanged, widget, [this, id](int row) {
        handle_([id, row](Window& w) {
            w.control(id).selection = row;
            w.onSelectionChanged(id);
        });
    });
    QObject::connect(widget, &QListWidget::itemDoubleClicked, widget,
                     [this, id] { handle_([id](Window& w) { w.onDoubleClick(id); }); });
    auto drawn = std::make_shared<std::vector<std::string>>();
    add(id, widget, [this, widget, drawn](const Control& c) {
        drawItems(widget, c.items, *drawn);
        const bool inRange = c.selection >= 0 && c.selection < widget->count();
        if (!inRange) {
            widget->setCurrentRow(-1);
            widget->clearSelection();
        } else if (widget->currentRow() != c.selection) {
            widget->setCurrentRow(c.selection);
        }
        drawCommon(widget, c);
    });
}

void ControlBinder::bindComboBox(int id, QComboBox* widget) {
    widget->setObjectName(objectName(id));
    // Only the user's choice is a selection change, not a redraw.
    QObject::connect(widget, &QComboBox::activated, widget, [this, id](int index) {
        handle_([id, index](Window& w) {
            w.control(id).selection = index;
            w.onSelectionChanged(id);
        });
    });
    add(id, widget, [this, widget](const Control& c) {
        drawItems(widget, c.items);
        widget->setCurrentIndex(c.selection >= 0 && c.selection < widget->count() ? c.selection : -1);
        drawCommon(widget, c);
    });
}

void ControlBinder::bindLineEdit(int id, QLineEdit* widget) {
    widget->setObjectName(objectName(id));
    QObject::connect(widget, &QLineEdit::textEdited, widget, [this, id](const QString& text) {
        handle_([id, text = text.toStdString()](Window& w) {
            w.control(id).text = text;
            w.onTextChanged(id);
        });
    });
    add(id, widget, [this, widget](const Control& c) {
        if (widget->text() != qt(c.text)) {
            widget->setText(qt(c.text));
        }
        drawCommon(widget, c);
    });
}

void ControlBinder::bindProgress(int id, QProgressBar* widget) {
    widget->setObjectName(objectName(id));
    add(id, widget, [this, widget](const Control& c) {
        // An empty range would make Qt draw a busy bar; nothing to do is an empty bar.
        const bool empty = c.rangeMax <= c.rangeMin;
        widget->setRange(c.rangeMin, empty ? c.rangeMin + 1 : c.rangeMax);
        widget->setValue(empty ? c.rangeMin : c.position);
        drawCommon(widget, c);
    });
}

void ControlBinder::bindAction(int id, QAction* item) {
    item->setObjectName(objectName(id));
    QObject::connect(item, &QAction::triggered, item,
                     [this, id] { handle_([id](Window& w) { w.onCommand(id); }); });
    add(id, item, [this, item, id](const Control& c) {
        // A menu's items share its letters; an item outside menus keeps its own text.
        QMenu* menu = nullptr;
        for (QObject* shownIn : item->associatedObjects()) {
            if ((menu = qobject_cast<QMenu*>(shownIn))) {
                break;
            }
        }
        item->setText(menu ? caption(menu, id, c.text) : qt(c.text));
        item->setToolTip(qt(c.toolTip));
        item->setEnabled(c.enabled);
        item->setVisible(c.visible);
        if (item->isCheckable()) {
            item->setChecked(c.checked);
        }
    });
}

void ControlBinder::bindRadioButton(int id, QRadioButton* widget) {
    widget->setObjectName(objectName(id));
    // Which button is marked is the window's to say, not Qt's grouping.
    widget->setAutoExclusive(false);
    QObject::connect(widget, &QRadioButton::clicked, widget, [this, id] {
        handle_([id](Window& w) {
            w.control(id).checked = true;
            w.onCommand(id);
        });
    });
    add(id, widget, [this, widget, id](const Control& c) {
        widget->setText(caption(owner_, id, c.text));
        widget->setChecked(c.checked);
        drawCommon(widget, c);
    });
}

void ControlBinder::bindSlider(int id, QSlider* widget) {
    widget->setObjectName(objectName(id));
    // Keys and clicks on the groove move in steps: the value has settled
    // once they pause, so a held key does not redo the window's work at
    // every step.
    constexpr int kSettleMs = 300;
    auto* settle = new QTimer(widget);
    settle->setSingleShot(true);
    settle->setInterval(kSettleMs);
    auto settled = [this, id] { handle_([id](Window& w) { w.onCommand(id); }); };
    QObject::connect(settle, &QTimer::timeout, widget, settled);
    QObject::connect(widget, &QSlider::valueChanged, widget, [this, id, widget, settle](int value) {
        handle_([id, value](Window& w) {
            w.control(id).position = value;
            w.onSelectionChanged(id);
        });
        if (!widget->isSliderDown()) {
            settle->start();
        }
    });
    QObject::connect(widget, &QSlider::sliderReleased, widget, [settle, settled] {
        settle->stop();
        settled();
    });
    add(id, widget, [this, widget](const Control& c) {
        widget->setRange(c.rangeMin, std::max(c.rangeMin, c.rangeMax));
        widget->setValue(c.position);
        drawCommon(widget, c);
    });
}

void ControlBinder::bindTextView(int id, QPlainTextEdit* widget) {
    widget->setObjectName(objectName(id));
    widget->setReadOnly(true);
    add(id, widget, [this, widget](const Control& c) {
        if (widget->toPlainText() != qt(c.text)) {
            widget->setPlainText(qt(c.text));
        }
        drawCommon(widget, c);
    });
}

QTreeWidget* ControlBinder::table(int id, const std::vector<std::string>& headers) {
    QStringList texts;
    for (const std::string& header : headers) {
        texts.push_back(QString::fromStdString(header));
    }
    return table(id, texts);
}

QTreeWidget* ControlBinder::table(int id, const QStringList& headers) {
    auto* widget = new QTreeWidget(owner_);
    widget->setColumnCount(static_cast<int>(headers.size()));
    widget->setHeaderLabels(headers);
    bindTable(id, widget);
    return widget;
}

void ControlBinder::bindTable(int id, QTreeWidget* widget) {
    widget->setObjectName(objectName(id));
    widget->setRootIsDecorated(false);
    widget->setUniformRowHeights(true);
    widget->setAllColumnsShowFocus(true);
    widget->setSelectionMode(QAbstractItemView::SingleSelection);
    QObject::connect(widget, &QTreeWidget::currentItemChanged, widget, [this, id, widget](QTreeWidgetItem* current) {
        handle_([id, row = current ? widget->indexOfTopLevelItem(current) : -1](Window& w) {
            w.control(id).selection = row;
            w.onSelectionChanged(id);
        });
    });
    QObject::connect(widget, &QTreeWidget::itemDoubleClicked, widget,
                     [this, id] { handle_([id](Window& w) { w.onDoubleClick(id); }); });
    auto drawn = std::make_shared<std::vector<std::string>>();
    add(id, widget, [this, widget, drawn](const Control& c) {
        drawRows(widget, c.items, *drawn);
        const bool inRange = c.selection >= 0 && c.selection < widget->topLevelItemCount();
        if (!inRange) {
            widget->setCurrentItem(nullptr);
            widget->clearSelection();
        } else if (widget->currentItem() != widget->topLevelItem(c.selection)) {
            widget->setCurrentItem(widget->topLevelItem(c.selection));
        }
        drawCommon(widget, c);
    });
}

void ControlBinder::bindPicture(int id, QLabel* widget) {
    widget->setObjectName(objectName(id));
    widget->setAlignment(Qt::AlignCenter);
    add(id, widget, [this, widget](const Control& c) {
        const QPixmap shown = pictureOf(c);
        if (shown.isNull()) {
            widget->clear();
        } else {
            widget->setPixmap(shown);
        }
        drawCommon(widget, c);
    });
}

void ControlBinder::bindThumbnailList(int id, ThumbnailListView* widget) {
    widget->setObjectName(objectName(id));
    widget->setSelectionListener([this, id](int row) {
        handle_([id, row](Window& w) {
            w.control(id).selection = row;
            w.onSelectionChanged(id);
        });
    });
    widget->setRightClickListener([this, id](int row) {
        handle_([id, row](Window& w) {
            w.control(id).selection = row;
            w.onRightClick(id);
        });
    });
    QObject::connect(widget, &QAbstractItemView::clicked, widget, [this, id, widget] {
        handle_([id, row = widget->selectedRow()](Window& w) {
            w.control(id).selection = row;
            w.onClick(id);
        });
    });
    QObject::connect(widget, &QAbstractItemView::doubleClicked, widget, [this, id, widget] {
        handle_([id, row = widget->selectedRow()](Window& w) {
            w.control(id).selection = row;
            w.onDoubleClick(id);
        });
    });
    auto begin = [this, id](int row) {
        bool allowed = false;
        handle_([id, row, &allowed](Window& w) {
            w.control(id).selection = row;
            allowed = w.onLabelEditBegin(id);
        });
        return allowed;
    };
    auto end = [this, id](int row, const QString& text) {
        handle_([id, row, text = text.toStdString()](Window& w) {
            w.control(id).selection = row;
            w.onLabelEditEnd(id, text);
        });
    };
    widget->setItemDelegate(new LabelEditDelegate(widget, begin, end));
    widget->setShownListener([this, id](int first, int last) {
        handle_([id, first, last](Window& w) {
            w.control(id).firstShown = first;
            w.control(id).lastShown = last;
            w.onItemsShown(id);
        });
    });
    add(id, widget, [this, widget](const Control& c) {
        if (widget->thumbnails()->draw(c)) {
            widget->fitLabels();
        } else {
            widget->fitShown();  // an edited label may be longer
        }
        // Pictures made since the last redraw appear.
        widget->viewport()->update();
        widget->showSelection(c.selection);
        drawCommon(widget, c);
    });
}

void ControlBinder::draw() const {
    for (const auto& binding : bindings_) {
        const QSignalBlocker blocker(binding.object);
        binding.draw(window_.control(binding.id));
    }
}

void ControlBinder::add(int id, QObject* object, std::function<void(const Control&)> draw) {
    addShortcuts(id, object);
    bindings_.push_back(Binding{id, object, std::move(draw)});
}

void ControlBinder::drawCommon(QWidget* widget, const Control& c) const {
    widget->setToolTip(qt(c.toolTip));
    widget->setEnabled(c.enabled);
    // Hiding is explicit; showing waits for the window to be shown.
    if (widget->isHidden() == c.visible) {
        widget->setVisible(c.visible);
    }
}

}  // namespace dz::gui
