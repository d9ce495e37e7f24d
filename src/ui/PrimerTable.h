#pragma once

// The table view of the primer list: uniform row heights so that a million
// rows scroll as fast as ten, the sequence delegate, and column widths held
// between each column's minimum and maximum.

#include <QTableView>

namespace tamsel {

class PrimerTableModel;
class SequenceDelegate;

struct ColumnWidth {
  int minimum;
  int ideal;
  int maximum;  // 0: no maximum
};

// Widths of "#", "Selected", "Name", "Sequence" and "Comment", in order.
ColumnWidth columnWidthLimits(int column);

class PrimerTable : public QTableView {
  Q_OBJECT

 public:
  PrimerTable(PrimerTableModel& model, QWidget* parent = nullptr);

  SequenceDelegate& sequenceDelegate() const { return *sequenceDelegate_; }

 private:
  void keepWithinLimits(int column, int newWidth);

  SequenceDelegate* sequenceDelegate_;
  bool clamping_ = false;
};

}  // namespace tamsel
