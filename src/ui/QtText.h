#pragma once

// Conversions between Qt's strings and the core library's UTF-8 texts and
// file-system paths.

#include <QFile>
#include <QString>

#include <filesystem>
#include <string>
#include <string_view>

namespace tamsel {

inline QString toQString(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// File names go through the local 8-bit encoding, as the file system sees them.
inline std::filesystem::path toPath(const QString& fileName) {
  return std::filesystem::path(QFile::encodeName(fileName).toStdString());
}

}  // namespace tamsel
