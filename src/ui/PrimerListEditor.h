#pragma once

// The Edit menu's work on the primer table: row operations, ticking, the
// clipboard and sorting. Every change becomes one step on the undo stack.

#include <QObject>
#include <QString>

#include <vector>

class QUndoStack;

namespace tamsel {

class PrimerTable;
class PrimerTableModel;

class PrimerListEditor : public QObject {
  Q_OBJECT

 public:
  PrimerListEditor(PrimerTableModel& model, PrimerTable& table, QUndoStack& undoStack, QObject* parent = nullptr);

 public slots:
  // A new empty row after the current one, its name ready for typing.
  void addPrimer();
  void deleteSelected();
  void renameCurrent();
  void moveUp();
  void moveDown();
  void selectAll();
  void tickSelected() { setTicks(true); }
  void untickSelected() { setTicks(false); }
  // Every selected row takes the opposite of the current row's tick.
  void toggleTicks();
  // The selected rows as tab-separated text under a Selected/Name/Sequence/Comment header.
  void copy();
  void cut();
  // Text on the clipboard is read as a file is and goes in after the current row.
  void paste();
  // Clicking a header: ascending, again descending; "#" restores the import order.
  void sortByColumn(int column);

 signals:
  // Pasted text that holds no primer: the message an import would give.
  void pasteFailed(const QString& message);

 private:
  void setTicks(bool selected);
  void move(int step);
  // The row after the current one, as a list position (the end when none).
  int insertionPoint() const;
  void selectListRange(int first, int count);
  void showSortIndicator(int column, Qt::SortOrder order, bool shown);

  PrimerTableModel& model_;
  PrimerTable& table_;
  QUndoStack& undoStack_;
  int sortColumn_ = -1;
  Qt::SortOrder sortOrder_ = Qt::AscendingOrder;
};

}  // namespace tamsel
