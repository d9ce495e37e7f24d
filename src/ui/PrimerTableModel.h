#pragma once

// The primer list as a five-column table: "#", "Selected", "Name",
// "Sequence", "Comment". The model edits the list it is given in place; the
// list itself belongs to the window.

#include <QAbstractTableModel>
#include <QCache>
#include <QFont>

#include "SequenceAnnotation.h"
#include "model/PrimerEntry.h"

namespace tamsel {

class PrimerTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  enum Column { NumberColumn, SelectedColumn, NameColumn, SequenceColumn, CommentColumn, ColumnCount };

  PrimerTableModel(PrimerList& primers, int endMatches, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  // A committed sequence is stored cleaned to the alphabet.
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

  void replacePrimers(PrimerList primers);
  // The underlining follows the end-match count, so every sequence redraws.
  void setEndMatches(int endMatches);

  // Built on first paint of a row and kept for the rows on screen.
  SequenceAnnotation sequenceAnnotation(int row) const;

 private:
  PrimerList& primers_;
  int endMatches_;
  QFont numberFont_;  // row numbers in fixed-width digits
  mutable QCache<int, SequenceAnnotation> annotations_;
};

}  // namespace tamsel
