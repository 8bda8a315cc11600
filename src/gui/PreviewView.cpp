#include "gui/PreviewView.h"

#include "process/CProcessPreview.h"

#include <QBrush>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMap>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTreeView>
#include <QVBoxLayout>

namespace dz::gui {

namespace {

// Notes that ask for the user's eye.
bool isMarked(const QString& note) {
    return note.startsWith("renamed") || note.startsWith("already there") || note.startsWith("asks") ||
           note.startsWith("refused");
}

// The item of `path` (folders made on the way), under `root`.
QStandardItem* itemAt(QStandardItemModel* model, QMap<QString, QStandardItem*>& folders, const QString& path) {
    const int slash = path.lastIndexOf('/');
    QStandardItem* parent = model->invisibleRootItem();
    if (slash > 0) {
        const QString folder = path.left(slash);
        auto found = folders.find(folder);
        if (found == folders.end()) {
            found = folders.insert(folder, itemAt(model, folders, folder));
        }
        parent = found.value();
    }
    if (auto found = folders.find(path); found != folders.end()) {
        return found.value();
    }
    auto* name = new QStandardItem(path.mid(slash + 1));
    parent->appendRow({name, new QStandardItem});
    folders.insert(path, name);
    return name;
}

}  // namespace

PreviewView::PreviewView(Window& window, QWidget* parent)
    : WindowView(window, parent), model_(new QStandardItemModel(this)) {
    model_->setHorizontalHeaderLabels({"Name", "What happens"});
    QMap<QString, QStandardItem*> items;
    for (const std::string& entry : window.control(CProcessPreview::kTree).items) {
        const QString text = QString::fromUtf8(entry.data(), static_cast<qsizetype>(entry.size()));
        const int tab = text.indexOf('\t');
        const QString path = text.left(tab);
        const QString note = tab < 0 ? QString() : text.mid(tab + 1);
        QStandardItem* item = itemAt(model_, items, path);
        QStandardItem* parentItem = item->parent() != nullptr ? item->parent() : model_->invisibleRootItem();
        QStandardItem* noteItem = parentItem->child(item->row(), 1);
        noteItem->setText(note);
        if (isMarked(note)) {
            item->setForeground(QBrush(Qt::darkRed));
            noteItem->setForeground(QBrush(Qt::darkRed));
        }
    }

    auto* tree = new QTreeView;
    tree->setObjectName(ControlBinder::objectName(CProcessPreview::kTree));
    tree->setModel(model_);
    tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tree->expandAll();
    tree->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    tree->setMinimumSize(560, 320);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tree, 1);
    layout->addWidget(binder().label(CProcessPreview::kSummary));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    QPushButton* close = binder().button(CProcessPreview::kClose);
    close->setDefault(true);
    buttons->addWidget(close);
    layout->addLayout(buttons);
}

}  // namespace dz::gui
