#include "PrimerTable.h"

#include <QHeaderView>

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
    {100, 200, 0},
}};

constexpr int kRowPadding = 8;

}  // namespace

ColumnWidth columnWidthLimits(int column) { return kColumnWidths.at(static_cast<std::size_t>(column)); }

PrimerTable::PrimerTable(PrimerTableModel& model, QWidget* parent)
    : QTableView(parent), sequenceDelegate_(new SequenceDelegate(model, this)) {
  setModel(&model);
  setItemDelegateForColumn(PrimerTableModel::SequenceColumn, sequenceDelegate_);
  setItemDelegateForColumn(PrimerTableModel::SelectedColumn, new CheckBoxDelegate(this));
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setSelectionMode(QAbstractItemView::SingleSelection);
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
  for (int column = 0; column < PrimerTableModel::ColumnCount; ++column) {
    columns->setSectionResizeMode(column, QHeaderView::Interactive);
    columns->resizeSection(column, kColumnWidths[static_cast<std::size_t>(column)].ideal);
  }
  connect(columns, &QHeaderView::sectionResized, this,
          [this](int column, int, int newWidth) { keepWithinLimits(column, newWidth); });
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

}  // namespace tamsel
