#pragma once

// The save dialog of an export: a chooser with the export formats
// ("Helmvard Primer (.nsub)" first), the proposed name, and the rule that
// keeps the name's extension in step with the chosen format.

#include <QString>
#include <QStringList>

class QFileDialog;

namespace tamsel {

// One name filter per export format, in chooser order. Each shows the
// format's title exactly and filters by the format's extension.
QStringList exportNameFilters();

// The chooser position of a filter as the dialog reports it (the title, or
// the whole filter), or -1 when it is none of ours.
int exportFormatIndex(const QString& filter);

// Prepares a Qt (non-native) save dialog: format 0 chosen, `proposedName` in
// the name field, and the name rewritten whenever the user picks a format.
void configureExportDialog(QFileDialog& dialog, const QString& proposedName);

// Applies format `formatIndex` to the dialog: its filter, its default suffix,
// and the name field's extension.
void applyExportFormat(QFileDialog& dialog, int formatIndex);

}  // namespace tamsel
