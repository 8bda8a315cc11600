#pragma once

#include <QObject>

#include <functional>
#include <optional>
#include <string>

class QMimeData;

namespace dz::gui {

// The folder a drag from a file manager brings: exactly one local URL that
// names an existing folder; nothing for files, several items or remote URLs.
std::optional<std::string> droppedFolder(const QMimeData* data);

// Lets a widget take a dropped folder: it accepts the drag only when it
// brings one, and hands the folder on when it is dropped.
class FolderDrop final : public QObject {
public:
    FolderDrop(QWidget* widget, std::function<void(const std::string&)> dropped);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void(const std::string&)> dropped_;
};

}  // namespace dz::gui
