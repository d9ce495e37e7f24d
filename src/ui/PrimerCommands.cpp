#include "PrimerCommands.h"

#include <utility>

namespace tamsel {
namespace {

constexpr int kSettingsCommandId = 1;

bool sameSettings(const ListSettings& a, const ListSettings& b) {
  return a.defaultMismatches == b.defaultMismatches && a.endMatches == b.endMatches;
}

}  // namespace

EditPrimerCommand::EditPrimerCommand(PrimerTableModel& model, int position, PrimerEntry after, const QString& text)
    : QUndoCommand(text),
      model_(model),
      position_(position),
      before_(model.primers()[static_cast<std::size_t>(position)].entry()),
      after_(std::move(after)) {}

void EditPrimerCommand::undo() { model_.setPrimer(position_, before_); }
void EditPrimerCommand::redo() { model_.setPrimer(position_, after_); }

SetSelectedCommand::SetSelectedCommand(PrimerTableModel& model, std::vector<int> positions, bool selected)
    : QUndoCommand(selected ? QStringLiteral("Tick") : QStringLiteral("Untick")),
      model_(model),
      positions_(std::move(positions)),
      selected_(selected) {
  before_.reserve(positions_.size());
  for (int position : positions_) before_.push_back(model.primers()[static_cast<std::size_t>(position)].selected);
}

void SetSelectedCommand::undo() { model_.setSelectedFlags(positions_, before_); }
void SetSelectedCommand::redo() { model_.setSelectedFlags(positions_, std::vector<bool>(positions_.size(), selected_)); }

InsertPrimersCommand::InsertPrimersCommand(PrimerTableModel& model, int position, PrimerList primers,
                                           const QString& text)
    : QUndoCommand(text), model_(model), position_(position), count_(static_cast<int>(primers.size())) {
  held_.primers = std::move(primers);
}

void InsertPrimersCommand::undo() {
  std::vector<int> positions(static_cast<std::size_t>(count_));
  for (int i = 0; i < count_; ++i) positions[static_cast<std::size_t>(i)] = position_ + i;
  held_ = model_.takePrimers(positions);
}

// The first redo gives the rows their place in the import order; a later one
// gives back the same place.
void InsertPrimersCommand::redo() {
  model_.insertPrimers(position_, std::move(held_.primers), std::move(held_.origins));
  held_ = {};
}

RemovePrimersCommand::RemovePrimersCommand(PrimerTableModel& model, std::vector<int> positions, const QString& text)
    : QUndoCommand(text), model_(model), positions_(std::move(positions)) {}

void RemovePrimersCommand::undo() { model_.restorePrimers(std::move(taken_)); }
void RemovePrimersCommand::redo() { taken_ = model_.takePrimers(positions_); }

ReorderCommand::ReorderCommand(PrimerTableModel& model, std::vector<int> order, const QString& text,
                               std::function<void(bool)> onChange)
    : QUndoCommand(text), model_(model), order_(std::move(order)), onChange_(std::move(onChange)) {
  inverse_.resize(order_.size());
  for (std::size_t i = 0; i < order_.size(); ++i) inverse_[static_cast<std::size_t>(order_[i])] = static_cast<int>(i);
}

void ReorderCommand::undo() {
  model_.reorder(inverse_);
  if (onChange_) onChange_(false);
}

void ReorderCommand::redo() {
  model_.reorder(order_);
  if (onChange_) onChange_(true);
}

SettingsCommand::SettingsCommand(Apply apply, ListSettings before, ListSettings after, const QString& stepper)
    : QUndoCommand(stepper.isEmpty() ? QStringLiteral("Settings from File") : stepper),
      apply_(std::move(apply)),
      before_(before),
      after_(after),
      stepper_(stepper) {}

void SettingsCommand::undo() { apply_(before_); }
void SettingsCommand::redo() { apply_(after_); }

int SettingsCommand::id() const { return stepper_.isEmpty() ? -1 : kSettingsCommandId; }

bool SettingsCommand::mergeWith(const QUndoCommand* other) {
  const auto* next = static_cast<const SettingsCommand*>(other);
  if (next->stepper_ != stepper_) return false;
  after_ = next->after_;
  // Stepped back to where it started: no step at all.
  setObsolete(sameSettings(before_, after_));
  return true;
}

}  // namespace tamsel
