#include "ExportFileDialog.h"

#include <QFileDialog>
#include <QLineEdit>

#include "QtText.h"
#include "app/ExportPrimers.h"
#include "formats/FormatRegistry.h"

namespace tamsel {
namespace {

// The filter of format `index`: the title, then the pattern. With the
// dialog's HideNameFilterDetails the pattern is not shown, so the chooser
// reads exactly as the title.
QString exportNameFilter(const FileFormat& format) {
  return toQString(format.exportTitle) + QStringLiteral(" (*.") + toQString(format.extension()) + QLatin1Char(')');
}

QLineEdit* nameField(QFileDialog& dialog) { return dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit")); }

}  // namespace

QStringList exportNameFilters() {
  QStringList filters;
  for (const FileFormat* format : exportFormats()) filters.append(exportNameFilter(*format));
  return filters;
}

int exportFormatIndex(const QString& filter) {
  const auto& formats = exportFormats();
  for (std::size_t i = 0; i < formats.size(); ++i) {
    if (filter == toQString(formats[i]->exportTitle) || filter == exportNameFilter(*formats[i])) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

void configureExportDialog(QFileDialog& dialog, const QString& proposedName) {
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setOption(QFileDialog::HideNameFilterDetails);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilters(exportNameFilters());
  dialog.selectNameFilter(exportNameFilters().front());
  dialog.setDefaultSuffix(toQString(exportFormats().front()->extension()));
  if (QLineEdit* field = nameField(dialog)) {
    field->setText(proposedName);
  } else {
    dialog.selectFile(proposedName);
  }
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
    if (const int index = exportFormatIndex(filter); index >= 0) applyExportFormat(dialog, index);
  });
}

void applyExportFormat(QFileDialog& dialog, int formatIndex) {
  const FileFormat& format = *exportFormats().at(static_cast<std::size_t>(formatIndex));
  const QString filter = exportNameFilter(format);
  if (exportFormatIndex(dialog.selectedNameFilter()) != formatIndex) dialog.selectNameFilter(filter);
  // A name typed without an extension still gets the chosen format's one.
  dialog.setDefaultSuffix(toQString(format.extension()));
  QLineEdit* field = nameField(dialog);
  if (!field) return;
  const std::string name = updateSavePanel(field->text().toStdString(), formatIndex);
  field->setText(QString::fromStdString(name));
}

}  // namespace tamsel
