#include "PrimerListEditor.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QItemSelection>
#include <QUndoStack>

#include <algorithm>
#include <numeric>

#include "PrimerCommands.h"
#include "PrimerSort.h"
#include "PrimerTable.h"
#include "PrimerTableModel.h"
#include "QtText.h"
#include "app/ImportFile.h"
#include "formats/text/DelimitedTextWriter.h"

namespace tamsel {
namespace {

// The kind of file pasted text is read as: FASTA when it starts with ">",
// tab-separated when its first line holds a tab (what a spreadsheet copies),
// else comma-separated when it holds a comma.
std::string clipboardTextKind(const QString& text) {
  const QString first = text.trimmed().section(QLatin1Char('\n'), 0, 0);
  if (first.startsWith(QLatin1Char('>'))) return "fasta";
  if (!first.contains(QLatin1Char('\t')) && first.contains(QLatin1Char(','))) return "csv";
  return "tsv";
}

}  // namespace

PrimerListEditor::PrimerListEditor(PrimerTableModel& model, PrimerTable& table, QUndoStack& undoStack,
                                   QObject* parent)
    : QObject(parent), model_(model), table_(table), undoStack_(undoStack) {
  connect(&table_, &PrimerTable::tickToggleRequested, this, &PrimerListEditor::toggleTicks);
  connect(table_.horizontalHeader(), &QHeaderView::sectionClicked, this, &PrimerListEditor::sortByColumn);
}

int PrimerListEditor::insertionPoint() const {
  const QModelIndex current = table_.currentIndex();
  return current.isValid() ? model_.listIndex(current.row()) + 1 : static_cast<int>(model_.primers().size());
}

void PrimerListEditor::selectListRange(int first, int count) {
  const int top = model_.rowOfListIndex(first), bottom = model_.rowOfListIndex(first + count - 1);
  if (top < 0 || bottom < 0) return;
  const QItemSelection rows(model_.index(top, 0), model_.index(bottom, PrimerTableModel::ColumnCount - 1));
  table_.selectionModel()->setCurrentIndex(model_.index(top, PrimerTableModel::NameColumn), QItemSelectionModel::NoUpdate);
  table_.selectionModel()->select(rows, QItemSelectionModel::ClearAndSelect);
  table_.scrollTo(model_.index(top, PrimerTableModel::NameColumn));
}

void PrimerListEditor::addPrimer() {
  table_.commitOpenEditor();
  const int position = insertionPoint();
  PrimerList row(1);
  undoStack_.push(new InsertPrimersCommand(model_, position, std::move(row), QStringLiteral("Add Primer")));
  table_.editCell(model_.rowOfListIndex(position), PrimerTableModel::NameColumn);
}

void PrimerListEditor::deleteSelected() {
  table_.commitOpenEditor();
  std::vector<int> positions = table_.selectedPositions();
  if (positions.empty()) return;
  const int first = positions.front();
  undoStack_.push(new RemovePrimersCommand(model_, std::move(positions), QStringLiteral("Delete")));
  if (model_.rowCount() == 0) return;
  // The row that took the first deleted row's place becomes current.
  const int row = std::max(0, model_.rowOfListIndex(std::min(first, static_cast<int>(model_.primers().size()) - 1)));
  table_.selectionModel()->setCurrentIndex(model_.index(row, PrimerTableModel::NumberColumn),
                                           QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void PrimerListEditor::renameCurrent() {
  const QModelIndex current = table_.currentIndex();
  if (current.isValid()) table_.editCell(current.row(), PrimerTableModel::NameColumn);
}

void PrimerListEditor::move(int step) {
  table_.commitOpenEditor();
  const int rows = model_.rowCount();
  std::vector<char> selected(static_cast<std::size_t>(rows), 0);
  for (int position : table_.selectedPositions()) {
    const int row = model_.rowOfListIndex(position);
    if (row >= 0) selected[static_cast<std::size_t>(row)] = 1;
  }
  // Each selected row swaps with the unselected row beside it; a block at
  // the edge stays. Rows hidden by the find filter keep their places.
  std::vector<int> viewOrder(static_cast<std::size_t>(rows));
  std::iota(viewOrder.begin(), viewOrder.end(), 0);
  bool moved = false;
  for (int i = step < 0 ? 1 : rows - 2; i >= 0 && i < rows; i -= step) {
    const auto here = static_cast<std::size_t>(i), there = static_cast<std::size_t>(i + step);
    if (selected[here] && !selected[there]) {
      std::swap(viewOrder[here], viewOrder[there]);
      std::swap(selected[here], selected[there]);
      moved = true;
    }
  }
  if (!moved) return;
  std::vector<int> order(model_.primers().size());
  std::iota(order.begin(), order.end(), 0);
  for (int row = 0; row < rows; ++row) {
    order[static_cast<std::size_t>(model_.listIndex(row))] = model_.listIndex(viewOrder[static_cast<std::size_t>(row)]);
  }
  showSortIndicator(-1, Qt::AscendingOrder, false);
  undoStack_.push(new ReorderCommand(model_, std::move(order), step < 0 ? QStringLiteral("Move Up")
                                                                        : QStringLiteral("Move Down")));
  table_.scrollTo(table_.currentIndex());
}

void PrimerListEditor::moveUp() { move(-1); }
void PrimerListEditor::moveDown() { move(1); }

void PrimerListEditor::selectAll() {
  table_.commitOpenEditor();
  table_.setFocus();
  table_.selectAll();
}

void PrimerListEditor::setTicks(bool selected) {
  std::vector<int> positions = table_.selectedPositions();
  if (!positions.empty()) undoStack_.push(new SetSelectedCommand(model_, std::move(positions), selected));
}

void PrimerListEditor::toggleTicks() {
  const QModelIndex current = table_.currentIndex();
  if (!current.isValid()) return;
  setTicks(!model_.primers()[static_cast<std::size_t>(model_.listIndex(current.row()))].selected);
}

void PrimerListEditor::copy() {
  PrimerList rows;
  for (int position : table_.selectedPositions()) rows.push_back(model_.primers()[static_cast<std::size_t>(position)]);
  if (rows.empty()) return;
  QGuiApplication::clipboard()->setText(toQString(generateDelimitedText(rows, '\t')));
}

void PrimerListEditor::cut() {
  table_.commitOpenEditor();
  copy();
  std::vector<int> positions = table_.selectedPositions();
  if (!positions.empty()) undoStack_.push(new RemovePrimersCommand(model_, std::move(positions), QStringLiteral("Cut")));
}

void PrimerListEditor::paste() {
  table_.commitOpenEditor();
  const QString text = QGuiApplication::clipboard()->text();
  const QByteArray utf8 = text.toUtf8();
  ImportOutcome outcome = importBytes(asBytes(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size()))),
                                      clipboardTextKind(text), std::string());
  if (!outcome.primers) {
    emit pasteFailed(toQString(outcome.error.value_or("No primer data found in the file.")));
    return;
  }
  const int position = insertionPoint();
  const int count = static_cast<int>(outcome.primers->size());
  undoStack_.push(new InsertPrimersCommand(model_, position, std::move(*outcome.primers), QStringLiteral("Paste")));
  selectListRange(position, count);
}

void PrimerListEditor::sortByColumn(int column) {
  table_.commitOpenEditor();
  const Qt::SortOrder order =
      column == sortColumn_ && sortOrder_ == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
  std::vector<int> sorted = sortedOrder(model_.primers(), model_.origins(), column, order);
  undoStack_.push(new ReorderCommand(model_, std::move(sorted), QStringLiteral("Sort"),
                                     [this, column, order](bool done) { showSortIndicator(column, order, done); }));
}

void PrimerListEditor::showSortIndicator(int column, Qt::SortOrder order, bool shown) {
  sortColumn_ = shown ? column : -1;
  sortOrder_ = order;
  QHeaderView* header = table_.horizontalHeader();
  header->setSortIndicatorShown(shown);
  if (shown) header->setSortIndicator(column, order);
}

}  // namespace tamsel
