#include "gui/ThumbnailListModel.h"

#include <QImage>

namespace dz::gui {

ThumbnailListModel::ThumbnailListModel(QObject* parent) : QAbstractListModel(parent) {}

void ThumbnailListModel::draw(const Control& control) {
    const bool sameCount = control.items.size() == labels_.size();
    if (!sameCount) {
        beginResetModel();
    }
    labels_ = control.items;
    images_ = control.itemImages;
    strip_ = control.imageStrip;
    pictures_.clear();
    if (!sameCount) {
        endResetModel();
        return;
    }
    if (!labels_.empty()) {
        emit dataChanged(index(0), index(static_cast<int>(labels_.size()) - 1));
    }
}

QSize ThumbnailListModel::imageSize() const {
    return strip_ ? QSize(strip_->imageWidth(), strip_->imageHeight()) : QSize();
}

int ThumbnailListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(labels_.size());
}

QVariant ThumbnailListModel::data(const QModelIndex& index, int role) const {
    const int row = index.row();
    if (!index.isValid() || row < 0 || row >= rowCount()) {
        return {};
    }
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return QString::fromStdString(labels_[static_cast<std::size_t>(row)]);
    case Qt::DecorationRole: {
        QPixmap made = picture(row);
        return made.isNull() ? QVariant() : QVariant(made);
    }
    default:
        return {};
    }
}

Qt::ItemFlags ThumbnailListModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

QPixmap ThumbnailListModel::picture(int row) const {
    if (const auto found = pictures_.constFind(row); found != pictures_.constEnd()) {
        return *found;
    }
    QPixmap made;
    const std::size_t at = static_cast<std::size_t>(row);
    if (strip_ && at < images_.size()) {
        const int width = strip_->imageWidth();
        const int height = strip_->imageHeight();
        // A strip that is being made again may not hold the picture yet.
        const std::vector<std::uint8_t> rgb = strip_->imageRgb888(images_[at]);
        if (width > 0 && height > 0 && rgb.size() == static_cast<std::size_t>(width) * height * 3) {
            const QImage image(rgb.data(), width, height, width * 3, QImage::Format_RGB888);
            made = QPixmap::fromImage(image.copy());
        }
    }
    pictures_.insert(row, made);
    return made;
}

}  // namespace dz::gui
