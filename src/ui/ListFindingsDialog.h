#pragma once

// "Check List": the findings of the list check, one line each, "Row 12:"
// and the message; clicking a line selects its row in the table. The dialog
// is not modal, so the table stays usable beside it.

#include <QDialog>

#include <vector>

#include "model/ListChecks.h"

class QListWidget;

namespace tamsel {

class ListFindingsDialog : public QDialog {
  Q_OBJECT

 public:
  explicit ListFindingsDialog(const std::vector<ListFinding>& findings, QWidget* parent = nullptr);

  QListWidget& list() const { return *list_; }

 signals:
  // `row` counts from 0.
  void rowChosen(int row);

 private:
  QListWidget* list_;
};

}  // namespace tamsel
