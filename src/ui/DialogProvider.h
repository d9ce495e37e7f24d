#pragma once

// The window's dialogs and alerts behind one small interface, so that tests
// can answer them without a modal loop.

#include <QString>

#include <optional>

class QWidget;

namespace tamsel {

// The answers to "Discard changes to this primer list?".
enum class DiscardChoice { exportFirst, discard, cancel };

class DialogProvider {
 public:
  virtual ~DialogProvider() = default;

  // One file to import, or nothing when the user cancels.
  virtual std::optional<QString> chooseImportFile(QWidget* parent) = 0;
  // The destination of an export, starting from `proposedName`.
  virtual std::optional<QString> chooseExportFile(QWidget* parent, const QString& proposedName) = 0;
  // Returns once the user has dismissed the alert.
  virtual void showAlert(QWidget* parent, const QString& title, const QString& message) = 0;
  // Asked before an edited list is closed or replaced.
  virtual DiscardChoice askToDiscardChanges(QWidget* parent) = 0;
};

}  // namespace tamsel
