#include "gui/ThumbnailListModel.h"

#include <QImage>

namespace dz::gui {

namespace {
// Pictures kept for painting: a few screens, whatever the size of the list.
constexpr int kPicturesKept = 600;
}  // namespace

ThumbnailListModel::ThumbnailListModel(QObject* parent) : QAbstractListModel(parent) {}

bool ThumbnailListModel::draw(const Control& control) {
    images_ = control.itemImages;
    if (strip_ != control.imageStrip) {
        pictures_.clear();
    }
    strip_ = control.imageStrip;
    const int rows = control.itemCount();
    if (control_ == &control && rows == rows_) {
        return false;
    }
    beginResetModel();
    control_ = &control;
    rows_ = rows;
    pictures_.clear();
    endResetModel();
    return true;
}

std::string ThumbnailListModel::caption(int row) const {
    return control_ && row < rows_ ? control_->itemCaption(row) : std::string{};
}

QSize ThumbnailListModel::imageSize() const {
    return strip_ ? QSize(strip_->imageWidth(), strip_->imageHeight()) : QSize();
}

int ThumbnailListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

QVariant ThumbnailListModel::data(const QModelIndex& index, int role) const {
    const int row = index.row();
    if (!index.isValid() || row < 0 || row >= rowCount()) {
        return {};
    }
    switch (role) {
    case Qt::DisplayRole:
        return QString::fromStdString(caption(row));
    case Qt::EditRole:
        return QString::fromStdString(control_ ? control_->itemLabel(row) : std::string{});
    case Qt::DecorationRole: {
        QPixmap made = picture(row);
        return made.isNull() ? QVariant() : QVariant(made);
    }
    case Qt::SizeHintRole:
        return itemSize_.isValid() ? QVariant(itemSize_) : QVariant();
    case Qt::ToolTipRole: {
        const std::string tip = control_ ? control_->itemToolTip(row) : std::string();
        return tip.empty() ? QVariant() : QVariant(QString::fromStdString(tip));
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
    const std::size_t at = static_cast<std::size_t>(row);
    if (!strip_ || at >= images_.size()) {
        return {};
    }
    const int image = images_[at];
    const std::uint32_t version = strip_->imageVersion(image);
    if (const auto found = pictures_.constFind(row);
        found != pictures_.constEnd() && found->image == image && found->version == version) {
        return found->pixmap;
    }
    QPixmap made;
    const int width = strip_->imageWidth();
    const int height = strip_->imageHeight();
    // A picture that is still being made is not there yet.
    const std::vector<std::uint8_t> rgb = strip_->imageRgb888(image);
    if (width > 0 && height > 0 && rgb.size() == static_cast<std::size_t>(width) * height * 3) {
        const QImage shown(rgb.data(), width, height, width * 3, QImage::Format_RGB888);
        made = QPixmap::fromImage(shown.copy());
    }
    if (pictures_.size() >= kPicturesKept) {
        pictures_.clear();
    }
    pictures_.insert(row, Picture{image, version, made});
    return made;
}

}  // namespace dz::gui
