#include "ImportFileKinds.h"

#include <QMimeDatabase>

#include "QtText.h"
#include "formats/FormatRegistry.h"

namespace tamsel {
namespace {

// The kind's own extensions, widened for text kinds to the patterns the
// system's MIME database knows for them, so that every extension counted as
// plain text is accepted. Only text kinds widen: every extension goes to the
// text reader anyway, while a workbook kind's other names (templates, add-ins)
// would not be read as workbooks.
QStringList patternsOf(const FileFormat& format) {
  QStringList patterns;
  if (readsAnyExtension(format) && !format.mimeType.empty()) {
    const QMimeType type = QMimeDatabase().mimeTypeForName(toQString(format.mimeType));
    // Extension patterns only: a kind may also claim names such as "*,v".
    if (type.isValid()) {
      for (const QString& pattern : type.globPatterns()) {
        if (pattern.startsWith(QStringLiteral("*."))) patterns.append(pattern);
      }
    }
  }
  for (auto extension = format.extensions.rbegin(); extension != format.extensions.rend(); ++extension) {
    const QString own = QStringLiteral("*.") + toQString(*extension);
    if (!patterns.contains(own)) patterns.prepend(own);
  }
  return patterns;
}

}  // namespace

QStringList importNameFilters() {
  QStringList all;
  QStringList filters;
  for (const FileFormat* format : openDialogFormats()) {
    const QStringList patterns = patternsOf(*format);
    for (const QString& pattern : patterns) {
      if (!all.contains(pattern)) all.append(pattern);
    }
    filters.append(toQString(format->kindTitle) + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
                   QLatin1Char(')'));
  }
  filters.prepend(QStringLiteral("Primer lists (") + all.join(QLatin1Char(' ')) + QLatin1Char(')'));
  return filters;
}

}  // namespace tamsel
