#include "QtDialogProvider.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

#include "ExportFileDialog.h"
#include "ImportFileKinds.h"

namespace tamsel {

std::optional<QString> QtDialogProvider::chooseImportFile(QWidget* parent) {
  QFileDialog dialog(parent, QStringLiteral("Import Primers"));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setNameFilters(importNameFilters());
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().front();
}

std::optional<QString> QtDialogProvider::chooseExportFile(QWidget* parent, const QString& proposedName) {
  QFileDialog dialog(parent, QStringLiteral("Export Primers"));
  configureExportDialog(dialog, proposedName);
  dialog.setLabelText(QFileDialog::Accept, QStringLiteral("Export"));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().front();
}

void QtDialogProvider::showAlert(QWidget* parent, const QString& title, const QString& message) {
  QMessageBox box(QMessageBox::Warning, title, message, QMessageBox::NoButton, parent);
  box.setEscapeButton(box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole));
  box.exec();
}

DiscardChoice QtDialogProvider::askToDiscardChanges(QWidget* parent) {
  QMessageBox box(QMessageBox::Warning, QStringLiteral("Tamsel"), QStringLiteral("Discard changes to this primer list?"),
                  QMessageBox::NoButton, parent);
  QPushButton* exportButton = box.addButton(QStringLiteral("Export\u2026"), QMessageBox::AcceptRole);
  QPushButton* discardButton = box.addButton(QStringLiteral("Discard"), QMessageBox::DestructiveRole);
  QPushButton* cancelButton = box.addButton(QStringLiteral("Cancel"), QMessageBox::RejectRole);
  box.setDefaultButton(exportButton);
  box.setEscapeButton(cancelButton);
  box.exec();
  if (box.clickedButton() == exportButton) return DiscardChoice::exportFirst;
  if (box.clickedButton() == discardButton) return DiscardChoice::discard;
  return DiscardChoice::cancel;
}

}  // namespace tamsel
