#pragma once

// Draws the "Selected" column's check box in the middle of its cell and
// toggles it with a click on the box or the space key. The cell has no label,
// so the box would otherwise sit at its left edge.

#include <QStyledItemDelegate>

namespace tamsel {

class CheckBoxDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;

  // Where the box is drawn within `option.rect`.
  static QRect checkBoxRect(const QStyleOptionViewItem& option);
};

}  // namespace tamsel
