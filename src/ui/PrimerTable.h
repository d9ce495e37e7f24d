#pragma once

// The table view of the primer list: uniform row heights so that a million
// rows scroll as fast as ten, the sequence delegate, and column widths held
// between each column's minimum and maximum. Whole rows are selected; the
// sequence and comment open their editors when reached, the name only on
// request (F2, a double click, a new row).

#include <QTableView>

#include <vector>

namespace tamsel {

class PrimerTableModel;
class SequenceDelegate;

struct ColumnWidth {
  int minimum;
  int ideal;
  int maximum;  // 0: no maximum
};

// Widths of the columns, by column role.
ColumnWidth columnWidthLimits(int column);

class PrimerTable : public QTableView {
  Q_OBJECT

 public:
  PrimerTable(PrimerTableModel& model, QWidget* parent = nullptr);

  SequenceDelegate& sequenceDelegate() const { return *sequenceDelegate_; }

  // The list positions of the selected rows, ascending; the current row when
  // none is selected.
  std::vector<int> selectedPositions() const;
  // Hands an open editor's text to the model and closes it, so that a change
  // to the rows never leaves an editor on a row that moved.
  void commitOpenEditor();
  // Opens the editor of `column` in view row `row`, whatever the triggers say.
  void editCell(int row, int column);

  // Length, GC % and Tm; hidden until shown.
  void setPropertyColumnsShown(bool shown);
  bool propertyColumnsShown() const;
  // Selects the row of list position `position` and scrolls to it.
  void selectListPosition(int position);

 signals:
  // Space on the table (not in an editor).
  void tickToggleRequested();

 protected:
  bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void keepWithinLimits(int column, int newWidth);
  void fitNumberColumnFont();
  void widenNumberColumn();

  PrimerTableModel& model_;
  SequenceDelegate* sequenceDelegate_;
  QFont numberFont_;
  bool clamping_ = false;
  bool editingOnRequest_ = false;
  bool extendingSelection_ = false;  // Shift or Ctrl held, or a drag under way
};

}  // namespace tamsel
