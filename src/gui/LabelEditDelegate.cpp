#include "gui/LabelEditDelegate.h"

#include <QLineEdit>

namespace dz::gui {

LabelEditDelegate::LabelEditDelegate(QObject* parent, Begin begin, End end)
    : QStyledItemDelegate(parent), begin_(std::move(begin)), end_(std::move(end)) {}

QWidget* LabelEditDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& /*option*/,
                                         const QModelIndex& index) const {
    if (!index.isValid() || (begin_ && !begin_(index.row()))) {
        return nullptr;
    }
    auto* editor = new QLineEdit(parent);
    editor->setObjectName(QStringLiteral("label-editor"));
    editor->setFrame(true);
    return editor;
}

void LabelEditDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    auto* line = qobject_cast<QLineEdit*>(editor);
    if (!line) {
        return;
    }
    QString text = index.data(Qt::EditRole).toString();
    line->setText(text.replace(QLatin1Char('\n'), QLatin1Char(' ')));
    line->setModified(false);
    line->selectAll();
}

void LabelEditDelegate::setModelData(QWidget* editor, QAbstractItemModel* /*model*/,
                                     const QModelIndex& index) const {
    auto* line = qobject_cast<QLineEdit*>(editor);
    if (!line || !end_ || !index.isValid()) {
        return;
    }
    // The one-line editor shows the line break as a blank; unchanged, the
    // label goes back as the window gave it, so the window sees no edit.
    end_(index.row(), line->isModified() ? line->text() : index.data(Qt::EditRole).toString());
}

void LabelEditDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                             const QModelIndex& /*index*/) const {
    // Over the label, below the picture.
    QRect area = option.rect;
    const int lineHeight = editor->sizeHint().height();
    area.setTop(std::max(area.top(), area.bottom() - 2 * lineHeight));
    area.setHeight(lineHeight);
    editor->setGeometry(area);
}

}  // namespace dz::gui
