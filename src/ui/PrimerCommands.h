#pragma once

// The undo steps of the primer list, one per user action. Each holds what it
// needs to go both ways and changes the list through the table model, by
// list position.

#include <QUndoCommand>

#include <functional>
#include <vector>

#include "PrimerTableModel.h"
#include "app/ImportFile.h"

namespace tamsel {

// One edited cell: the primer before and after.
class EditPrimerCommand : public QUndoCommand {
 public:
  EditPrimerCommand(PrimerTableModel& model, int position, PrimerEntry after, const QString& text);
  void undo() override;
  void redo() override;

 private:
  PrimerTableModel& model_;
  int position_;
  PrimerEntry before_;
  PrimerEntry after_;
};

// The check boxes of many rows set to one value.
class SetSelectedCommand : public QUndoCommand {
 public:
  SetSelectedCommand(PrimerTableModel& model, std::vector<int> positions, bool selected);
  void undo() override;
  void redo() override;

 private:
  PrimerTableModel& model_;
  std::vector<int> positions_;
  std::vector<bool> before_;
  bool selected_;
};

// New rows (added or pasted) at one position.
class InsertPrimersCommand : public QUndoCommand {
 public:
  InsertPrimersCommand(PrimerTableModel& model, int position, PrimerList primers, const QString& text);
  void undo() override;
  void redo() override;

 private:
  PrimerTableModel& model_;
  int position_;
  int count_;
  TakenPrimers held_;  // the rows while they are undone
};

// Rows removed (deleted or cut).
class RemovePrimersCommand : public QUndoCommand {
 public:
  RemovePrimersCommand(PrimerTableModel& model, std::vector<int> positions, const QString& text);
  void undo() override;
  void redo() override;

 private:
  PrimerTableModel& model_;
  std::vector<int> positions_;
  TakenPrimers taken_;
};

// A new order of the whole list (sort, move up or down).
class ReorderCommand : public QUndoCommand {
 public:
  ReorderCommand(PrimerTableModel& model, std::vector<int> order, const QString& text,
                 std::function<void(bool done)> onChange = {});
  void undo() override;
  void redo() override;

 private:
  PrimerTableModel& model_;
  std::vector<int> order_;
  std::vector<int> inverse_;
  std::function<void(bool)> onChange_;
};

// The two list-wide settings. Steps of one stepper in a row merge into one.
class SettingsCommand : public QUndoCommand {
 public:
  using Apply = std::function<void(const ListSettings&)>;
  // `stepper` names the stepper that made the change, or is empty when a file did.
  SettingsCommand(Apply apply, ListSettings before, ListSettings after, const QString& stepper);
  void undo() override;
  void redo() override;
  int id() const override;
  bool mergeWith(const QUndoCommand* other) override;

 private:
  Apply apply_;
  ListSettings before_;
  ListSettings after_;
  QString stepper_;
};

}  // namespace tamsel
