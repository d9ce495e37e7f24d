#include "SequenceDelegate.h"

#include <QApplication>
#include <QFontDatabase>
#include <QLineEdit>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>

#include "PrimerTableModel.h"
#include "SequenceAnnotation.h"

namespace tamsel {
namespace {

const QColor kInvalidColor = Qt::red;

QList<QTextLayout::FormatRange> underlineFormats(const QList<UnderlinedRange>& ranges) {
  QTextCharFormat underline;
  underline.setFontUnderline(true);
  QList<QTextLayout::FormatRange> formats;
  for (const UnderlinedRange& range : ranges) formats.append({range.start, range.length, underline});
  return formats;
}

void colourLineEdit(QLineEdit& editor, const QString& text) {
  QPalette palette = editor.palette();
  const QByteArray utf8 = text.toUtf8();
  const bool valid = isDisplayableValid(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
  palette.setColor(QPalette::Text, valid ? QApplication::palette(&editor).color(QPalette::Text) : kInvalidColor);
  editor.setPalette(palette);
}

}  // namespace

SequenceDelegate::SequenceDelegate(const PrimerTableModel& model, QObject* parent)
    : QStyledItemDelegate(parent), model_(model), font_(QFontDatabase::systemFont(QFontDatabase::FixedFont)) {}

void SequenceDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  QStyleOptionViewItem background(option);
  initStyleOption(&background, index);
  background.text.clear();
  const QWidget* widget = option.widget;
  QStyle* style = widget ? widget->style() : QApplication::style();
  style->drawControl(QStyle::CE_ItemViewItem, &background, painter, widget);

  const SequenceAnnotation annotation = model_.sequenceAnnotation(index.row());
  if (annotation.text.isEmpty()) return;

  const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
  const QRect textRect = option.rect.adjusted(margin, 0, -margin, 0);
  // Widths are estimated from the monospaced advance: laying out the whole
  // of a long sequence would cost time on every repaint.
  const int advance = std::max(1, QFontMetrics(font_).horizontalAdvance(QLatin1Char('A')));
  const SequenceAnnotation visible = elidedInTheMiddle(annotation, textRect.width() / advance);

  QTextLayout layout(visible.text, font_);
  QTextOption textOption;
  textOption.setWrapMode(QTextOption::NoWrap);
  layout.setTextOption(textOption);
  layout.setFormats(underlineFormats(visible.underlined));
  layout.beginLayout();
  QTextLine line = layout.createLine();
  layout.endLayout();

  const bool selected = option.state & QStyle::State_Selected;
  const QColor colour = !annotation.displayableValid ? kInvalidColor
                        : selected ? option.palette.color(QPalette::HighlightedText)
                                   : option.palette.color(QPalette::Text);
  painter->save();
  painter->setClipRect(textRect);
  painter->setPen(colour);
  const qreal top = textRect.top() + (textRect.height() - line.height()) / 2;
  layout.draw(painter, QPointF(textRect.left(), top));
  painter->restore();
}

QWidget* SequenceDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const {
  auto* editor = new QLineEdit(parent);
  editor->setFont(font_);
  editor->setFrame(false);
  connect(editor, &QLineEdit::textChanged, editor, [editor](const QString& text) { colourLineEdit(*editor, text); });
  emit sequenceEditingStarted(index.row());
  return editor;
}

void SequenceDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
  auto* lineEdit = static_cast<QLineEdit*>(editor);
  lineEdit->setText(index.data(Qt::EditRole).toString());
  colourLineEdit(*lineEdit, lineEdit->text());
}

void SequenceDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const {
  model->setData(index, static_cast<QLineEdit*>(editor)->text(), Qt::EditRole);
}

void SequenceDelegate::destroyEditor(QWidget* editor, const QModelIndex& index) const {
  QStyledItemDelegate::destroyEditor(editor, index);
  emit sequenceEditingEnded();
}

}  // namespace tamsel
