#pragma once

#include <QStyledItemDelegate>

#include <functional>

namespace dz::gui {

// Edits the label of a list-view item in one line. The window is asked
// before the editor opens and may refuse; an edit the user did not change
// hands back the label exactly as it was, line break included.
class LabelEditDelegate final : public QStyledItemDelegate {
public:
    using Begin = std::function<bool(int row)>;
    using End = std::function<void(int row, const QString& text)>;

    LabelEditDelegate(QObject* parent, Begin begin, End end);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

private:
    Begin begin_;
    End end_;
};

}  // namespace dz::gui
