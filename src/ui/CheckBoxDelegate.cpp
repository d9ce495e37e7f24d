#include "CheckBoxDelegate.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace tamsel {
namespace {

QStyle* styleOf(const QStyleOptionViewItem& option) {
  return option.widget ? option.widget->style() : QApplication::style();
}

bool isChecked(const QModelIndex& index) {
  return static_cast<Qt::CheckState>(index.data(Qt::CheckStateRole).toInt()) == Qt::Checked;
}

}  // namespace

QRect CheckBoxDelegate::checkBoxRect(const QStyleOptionViewItem& option) {
  QStyleOptionButton button;
  const QRect box = styleOf(option)->subElementRect(QStyle::SE_CheckBoxIndicator, &button, option.widget);
  return QStyle::alignedRect(option.direction, Qt::AlignCenter, box.size(), option.rect);
}

void CheckBoxDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  // Background, selection and focus as for any cell, without the style's own box.
  QStyleOptionViewItem cell = option;
  initStyleOption(&cell, index);
  cell.features &= ~QStyleOptionViewItem::HasCheckIndicator;
  QStyle* style = styleOf(option);
  style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, option.widget);

  QStyleOptionViewItem box = cell;
  box.rect = checkBoxRect(option);
  box.state &= ~(QStyle::State_On | QStyle::State_Off | QStyle::State_NoChange);
  box.state |= isChecked(index) ? QStyle::State_On : QStyle::State_Off;
  style->drawPrimitive(QStyle::PE_IndicatorItemViewItemCheck, &box, painter, option.widget);
}

bool CheckBoxDelegate::editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                                   const QModelIndex& index) {
  if (!(index.flags() & Qt::ItemIsUserCheckable) || !(index.flags() & Qt::ItemIsEnabled)) return false;
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
      // Swallowed on the box so a double click does not toggle twice.
      return checkBoxRect(option).contains(static_cast<QMouseEvent*>(event)->position().toPoint());
    case QEvent::MouseButtonRelease: {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() != Qt::LeftButton || !checkBoxRect(option).contains(mouse->position().toPoint())) {
        return false;
      }
      break;
    }
    case QEvent::KeyPress: {
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key != Qt::Key_Space && key != Qt::Key_Select) return false;
      break;
    }
    default:
      return false;
  }
  return model->setData(index, isChecked(index) ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
}

}  // namespace tamsel
