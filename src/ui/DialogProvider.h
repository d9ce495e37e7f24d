#pragma once

// The window's dialogs and alerts behind one small interface, so that tests
// can answer them without a modal loop.

#include <QString>

#include <optional>

class QWidget;

namespace tamsel {

class DialogProvider {
 public:
  virtual ~DialogProvider() = default;

  // One file to import, or nothing when the user cancels.
  virtual std::optional<QString> chooseImportFile(QWidget* parent) = 0;
  // The destination of an export, starting from `proposedName`.
  virtual std::optional<QString> chooseExportFile(QWidget* parent, const QString& proposedName) = 0;
  // Returns once the user has dismissed the alert.
  virtual void showAlert(QWidget* parent, const QString& title, const QString& message) = 0;
};

}  // namespace tamsel
