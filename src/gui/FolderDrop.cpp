#include "gui/FolderDrop.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace dz::gui {

std::optional<std::string> droppedFolder(const QMimeData* data) {
    if (!data || !data->hasUrls() || data->urls().size() != 1) {
        return std::nullopt;
    }
    const QUrl url = data->urls().front();
    if (!url.isLocalFile()) {
        return std::nullopt;
    }
    const QFileInfo folder(url.toLocalFile());
    if (!folder.isDir()) {
        return std::nullopt;
    }
    // As the folder dialog gives it: absolute, without a trailing separator.
    return folder.absoluteFilePath().toStdString();
}

FolderDrop::FolderDrop(QWidget* widget, std::function<void(const std::string&)> dropped)
    : QObject(widget), dropped_(std::move(dropped)) {
    widget->setAcceptDrops(true);
    widget->installEventFilter(this);
}

bool FolderDrop::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (droppedFolder(drag->mimeData())) {
            drag->setDropAction(Qt::CopyAction);
            drag->accept();
        } else {
            drag->ignore();
        }
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const auto folder = droppedFolder(drop->mimeData());
        if (!folder) {
            drop->ignore();
            return true;
        }
        drop->setDropAction(Qt::CopyAction);
        drop->accept();
        // The questions and the scan that follow run after the drag has ended,
        // so the file manager is not held while they do.
        const std::string chosen = *folder;
        QMetaObject::invokeMethod(this, [this, chosen] { dropped_(chosen); }, Qt::QueuedConnection);
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}

}  // namespace dz::gui
