#pragma once

// The dialogs a user sees: Qt's own file dialogs (the same on every desktop)
// and message boxes.

#include "DialogProvider.h"

namespace tamsel {

class QtDialogProvider : public DialogProvider {
 public:
  std::optional<QString> chooseImportFile(QWidget* parent) override;
  std::optional<QString> chooseExportFile(QWidget* parent, const QString& proposedName) override;
  void showAlert(QWidget* parent, const QString& title, const QString& message) override;
  DiscardChoice askToDiscardChanges(QWidget* parent) override;
};

}  // namespace tamsel
