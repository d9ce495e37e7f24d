#pragma once

// The primer list as a table: "#", "Selected", "Name", "Sequence", the
// read-only "Length", "GC %" and "Tm °C" of each sequence (which the window
// hides until asked), "Comment". Rows with a finding of the list check carry
// a marker in "#", the findings as its tooltip. The model edits the list it is given in place; the list itself
// belongs to the window. A user's edit through the table becomes one step on
// the undo stack; the undo commands change the list through the operations
// below, which are addressed by position in the list (a view row differs from
// it while a find filter hides rows).

#include <QAbstractTableModel>
#include <QCache>
#include <QFont>
#include <QHash>
#include <QIcon>

#include <cstdint>
#include <vector>

#include "RowFilter.h"
#include "SequenceAnnotation.h"
#include "model/ListChecks.h"
#include "model/PrimerList.h"
#include "model/PrimerProperties.h"

class QUndoStack;

namespace tamsel {

// Rows taken out of the list, with what puts them back where they were.
struct TakenPrimers {
  std::vector<int> positions;  // ascending, in the list before the removal
  PrimerList primers;
  std::vector<std::uint64_t> origins;
};

class PrimerTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  // Column roles in display order. A new column is added here and given its
  // title, cell and width where each column role is listed.
  enum Column {
    NumberColumn,
    SelectedColumn,
    NameColumn,
    SequenceColumn,
    LengthColumn,
    GCColumn,
    TmColumn,
    CommentColumn,
    ColumnCount
  };

  // Without an undo stack, edits apply at once (a model in a test).
  PrimerTableModel(PrimerList& primers, int endMatches, QObject* parent = nullptr);

  void setUndoStack(QUndoStack* undoStack) { undoStack_ = undoStack; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  // A committed sequence is stored cleaned to the alphabet.
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

  const PrimerList& primers() const { return primers_; }
  // The list position shown in view row `row`, and back (-1: hidden).
  int listIndex(int row) const;
  int rowOfListIndex(int position) const;

  // A new list: the import order starts again and any filter is cleared.
  void replacePrimers(PrimerList primers);
  // The underlining follows the end-match count, so every sequence redraws.
  void setEndMatches(int endMatches);

  // Changes made by the undo commands, by list position.
  void setPrimer(int position, PrimerEntry primer);
  void setSelectedFlags(const std::vector<int>& positions, const std::vector<bool>& values);
  // `origins` empty: the rows come after every earlier row in import order.
  void insertPrimers(int position, PrimerList primers, std::vector<std::uint64_t> origins = {});
  TakenPrimers takePrimers(const std::vector<int>& positions);
  void restorePrimers(TakenPrimers taken);
  // Row i of the new list is row order[i] of the old one.
  void reorder(const std::vector<int>& order);

  // Where each row stood in the import, for restoring that order; rows added
  // later follow in the order they were added.
  const std::vector<std::uint64_t>& origins() const { return origins_; }

  // Shows only the rows that match; rows inserted while it is on stay shown.
  void setFilter(const QString& text);
  bool isFiltered() const { return filtered_; }

  // The "#" column's font, chosen by the table to fit its width.
  void setNumberFont(const QFont& font);

  // Built on first paint of a row and kept for the rows on screen.
  SequenceAnnotation sequenceAnnotation(int row) const;
  PrimerProperties properties(int row) const;

  // The findings to mark, replacing the earlier ones; their rows are list
  // positions. A change to the rows drops them until the next check.
  void setFindings(const std::vector<ListFinding>& findings);
  // The findings of view row `row`, one message per line; empty without any.
  QString rowFindings(int row) const;

 signals:
  void primerCountChanged();

 private:
  void pushOrApply(int position, PrimerEntry primer, const QString& actionText);
  // While a filter hides rows, changes to the rows reset the view.
  void beginStructureChange();
  void endStructureChange();
  void rebuildShownRows();
  QVariant propertyData(int position, int column, int role) const;
  PrimerProperties propertiesAt(int position) const;
  void forgetCachedRows();
  void forgetCachedRow(int position);

  PrimerList& primers_;
  std::vector<std::uint64_t> origins_;
  std::uint64_t nextOrigin_ = 0;
  bool filtered_ = false;
  std::vector<bool> shown_;     // by list position, while filtered
  std::vector<int> shownRows_;  // view row -> list position, while filtered
  int endMatches_;
  QFont numberFont_;  // row numbers in fixed-width digits, seven of them within the column
  QUndoStack* undoStack_ = nullptr;
  mutable QCache<int, SequenceAnnotation> annotations_;  // by list position
  mutable QCache<int, PrimerProperties> properties_;     // by list position
  QHash<int, QString> findings_;                         // by list position
  QIcon findingMarker_;
};

}  // namespace tamsel
