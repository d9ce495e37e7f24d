#include "PrimerTable.h"

#include <QApplication>
#include <QFontDatabase>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

#include <algorithm>
#include <array>

#include "CheckBoxDelegate.h"
#include "PrimerTableModel.h"
#include "SequenceDelegate.h"

namespace tamsel {
namespace {

constexpr std::array<ColumnWidth, PrimerTableModel::ColumnCount> kColumnWidths{{
    {30, 40, 50},
    {50, 60, 70},
    {100, 150, 0},
    {200, 300, 0},
    {50, 60, 80},   // Length
    {60, 80, 110},  // GC %, "40.0-60.0" for degenerate letters
    {70, 90, 160},  // Tm, "outside 8-60 letters" when not computed
    {100, 200, 0},
}};

constexpr int kPropertyColumns[] = {PrimerTableModel::LengthColumn, PrimerTableModel::GCColumn,
                                    PrimerTableModel::TmColumn};

constexpr int kRowPadding = 8;
constexpr int kNumberDigits = 7;
constexpr int kSmallestNumberPointSize = 6;

}  // namespace

ColumnWidth columnWidthLimits(int column) { return kColumnWidths.at(static_cast<std::size_t>(column)); }

PrimerTable::PrimerTable(PrimerTableModel& model, QWidget* parent)
    : QTableView(parent), model_(model), sequenceDelegate_(new SequenceDelegate(model, this)) {
  setModel(&model);
  setItemDelegateForColumn(PrimerTableModel::SequenceColumn, sequenceDelegate_);
  setItemDelegateForColumn(PrimerTableModel::SelectedColumn, new CheckBoxDelegate(this));
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  // The text columns behave as text fields: a click starts editing.
  setEditTriggers(QAbstractItemView::CurrentChanged | QAbstractItemView::SelectedClicked |
                  QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                  QAbstractItemView::AnyKeyPressed);
  setWordWrap(false);
  setAlternatingRowColors(true);

  QHeaderView* rows = verticalHeader();
  rows->hide();
  rows->setSectionResizeMode(QHeaderView::Fixed);
  rows->setDefaultSectionSize(fontMetrics().height() + kRowPadding);

  QHeaderView* columns = horizontalHeader();
  columns->setMinimumSectionSize(kColumnWidths.front().minimum);
  columns->setStretchLastSection(true);
  columns->setSectionsClickable(true);
  for (int column = 0; column < PrimerTableModel::ColumnCount; ++column) {
    columns->setSectionResizeMode(column, QHeaderView::Interactive);
    columns->resizeSection(column, kColumnWidths[static_cast<std::size_t>(column)].ideal);
  }
  connect(columns, &QHeaderView::sectionResized, this,
          [this](int column, int, int newWidth) { keepWithinLimits(column, newWidth); });
  fitNumberColumnFont();
  setPropertyColumnsShown(false);
  connect(&model, &PrimerTableModel::primerCountChanged, this, &PrimerTable::widenNumberColumn);
}

void PrimerTable::setPropertyColumnsShown(bool shown) {
  for (int column : kPropertyColumns) setColumnHidden(column, !shown);
}

bool PrimerTable::propertyColumnsShown() const { return !isColumnHidden(PrimerTableModel::LengthColumn); }

void PrimerTable::selectListPosition(int position) {
  const int row = model_.rowOfListIndex(position);
  if (row < 0 || row >= model_.rowCount()) return;  // hidden by the find filter, or gone
  commitOpenEditor();
  // The name cell opens no editor when it becomes current.
  const QModelIndex cell = model_.index(row, PrimerTableModel::NameColumn);
  selectionModel()->setCurrentIndex(cell, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  scrollTo(cell);
}

// Seven digits fit within the "#" column's maximum width; a smaller
// fixed-width font is used when the usual one is too wide.
void PrimerTable::fitNumberColumnFont() {
  const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
  const int room = kColumnWidths[PrimerTableModel::NumberColumn].maximum - 2 * margin;
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  const QString digits(kNumberDigits, QLatin1Char('0'));
  while (QFontMetrics(font).horizontalAdvance(digits) > room && font.pointSizeF() > kSmallestNumberPointSize) {
    font.setPointSizeF(font.pointSizeF() - 0.5);
  }
  model_.setNumberFont(font);
  numberFont_ = font;
}

// The "#" column widens, up to its maximum, as the list needs more digits.
void PrimerTable::widenNumberColumn() {
  const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
  const QString digits(QString::number(model_.primers().size()).size(), QLatin1Char('0'));
  const ColumnWidth limits = kColumnWidths[PrimerTableModel::NumberColumn];
  const int needed = std::min(limits.maximum, QFontMetrics(numberFont_).horizontalAdvance(digits) + 2 * margin + 2);
  if (columnWidth(PrimerTableModel::NumberColumn) < needed) setColumnWidth(PrimerTableModel::NumberColumn, needed);
}

void PrimerTable::keepWithinLimits(int column, int newWidth) {
  // The last column stretches to fill the view; the header sizes it.
  if (clamping_ || column == PrimerTableModel::ColumnCount - 1) return;
  const ColumnWidth limits = columnWidthLimits(column);
  const int allowed = std::max(limits.minimum, limits.maximum ? std::min(newWidth, limits.maximum) : newWidth);
  if (allowed == newWidth) return;
  clamping_ = true;
  horizontalHeader()->resizeSection(column, allowed);
  clamping_ = false;
}

std::vector<int> PrimerTable::selectedPositions() const {
  std::vector<int> positions;
  for (const QItemSelectionRange& range : selectionModel()->selection()) {
    for (int row = range.top(); row <= range.bottom(); ++row) positions.push_back(model_.listIndex(row));
  }
  if (positions.empty() && currentIndex().isValid()) positions.push_back(model_.listIndex(currentIndex().row()));
  std::sort(positions.begin(), positions.end());
  positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
  return positions;
}

void PrimerTable::commitOpenEditor() {
  if (state() != EditingState) return;
  if (QWidget* editor = indexWidget(currentIndex())) {
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
  }
}

void PrimerTable::editCell(int row, int column) {
  const QModelIndex cell = model_.index(row, column);
  if (!cell.isValid()) return;
  editingOnRequest_ = true;
  setCurrentIndex(cell);  // opens the editor, the name's too while on request
  if (state() != EditingState) QTableView::edit(cell);
  editingOnRequest_ = false;
}

bool PrimerTable::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
  // The name is plain text until the user asks to rename it.
  if (index.column() == PrimerTableModel::NameColumn && !editingOnRequest_ && trigger != DoubleClicked &&
      trigger != EditKeyPressed && trigger != AllEditTriggers) {
    return false;
  }
  // Extending a selection selects rows; it opens no editor.
  if (trigger == CurrentChanged && extendingSelection_) return false;
  if (!QTableView::edit(index, trigger, event)) return false;
  if (QWidget* editor = indexWidget(index)) editor->installEventFilter(this);
  return true;
}

namespace {

bool extendsSelection(Qt::KeyboardModifiers modifiers) {
  return modifiers & (Qt::ShiftModifier | Qt::ControlModifier);
}

}  // namespace

void PrimerTable::keyPressEvent(QKeyEvent* event) {
  if ((event->key() == Qt::Key_Space || event->key() == Qt::Key_Select) && event->modifiers() == Qt::NoModifier &&
      state() != EditingState) {
    emit tickToggleRequested();
    return;
  }
  extendingSelection_ = extendsSelection(event->modifiers());
  QTableView::keyPressEvent(event);
  extendingSelection_ = false;
}

void PrimerTable::mousePressEvent(QMouseEvent* event) {
  extendingSelection_ = extendsSelection(event->modifiers());
  QTableView::mousePressEvent(event);
  extendingSelection_ = false;
}

// Dragging across rows selects them.
void PrimerTable::mouseMoveEvent(QMouseEvent* event) {
  extendingSelection_ = event->buttons() != Qt::NoButton;
  QTableView::mouseMoveEvent(event);
  extendingSelection_ = false;
}

// Left at the start or Right at the end of an editor's text moves to the
// neighbouring cell.
bool PrimerTable::eventFilter(QObject* watched, QEvent* event) {
  auto* editor = qobject_cast<QLineEdit*>(watched);
  if (editor && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool left = key->key() == Qt::Key_Left && editor->cursorPosition() == 0;
    const bool right = key->key() == Qt::Key_Right && editor->cursorPosition() == editor->text().size();
    int column = currentIndex().column() + (left ? -1 : 1);
    while (column >= 0 && column < model_.columnCount() && isColumnHidden(column)) column += left ? -1 : 1;
    if ((left || right) && key->modifiers() == Qt::NoModifier && !editor->hasSelectedText() && column >= 0 &&
        column < model_.columnCount()) {
      const QModelIndex next = currentIndex().sibling(currentIndex().row(), column);
      commitOpenEditor();
      setFocus();  // before the move, which may open the neighbour's editor
      setCurrentIndex(next);
      return true;
    }
  }
  return QTableView::eventFilter(watched, event);
}

}  // namespace tamsel
