#include "ImportFileKinds.h"

#include <QMimeDatabase>

namespace tamsel {
namespace {

struct FileKind {
  const char* title;
  const char* mimeType;  // nullptr: the kind is its extension alone
  const char* fallbackPatterns;
};

constexpr FileKind kImportKinds[] = {
    {"Comma-separated values", "text/csv", "*.csv"},
    {"Tab-separated values", "text/tab-separated-values", "*.tsv"},
    {"Plain text", "text/plain", "*.txt"},
    {"Excel 97-2003 workbook", nullptr, "*.xls"},
    {"Excel workbook", nullptr, "*.xlsx"},
    {"Helmvard primer file", nullptr, "*.nsub"},
};

// Patterns as the system's MIME database knows the kind, so that every
// extension counted as plain text is accepted.
QStringList patternsOf(const FileKind& kind) {
  QStringList patterns;
  if (kind.mimeType) {
    const QMimeType type = QMimeDatabase().mimeTypeForName(QString::fromLatin1(kind.mimeType));
    // Extension patterns only: a kind may also claim names such as "*,v".
    if (type.isValid()) {
      for (const QString& pattern : type.globPatterns()) {
        if (pattern.startsWith(QStringLiteral("*."))) patterns.append(pattern);
      }
    }
  }
  const QString fallback = QString::fromLatin1(kind.fallbackPatterns);
  if (!patterns.contains(fallback)) patterns.prepend(fallback);
  return patterns;
}

}  // namespace

QStringList importNameFilters() {
  QStringList all;
  QStringList filters;
  for (const FileKind& kind : kImportKinds) {
    const QStringList patterns = patternsOf(kind);
    for (const QString& pattern : patterns) {
      if (!all.contains(pattern)) all.append(pattern);
    }
    filters.append(QString::fromLatin1(kind.title) + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
                   QLatin1Char(')'));
  }
  filters.prepend(QStringLiteral("Primer lists (") + all.join(QLatin1Char(' ')) + QLatin1Char(')'));
  return filters;
}

}  // namespace tamsel
