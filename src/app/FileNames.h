#pragma once

// The two parts of a file name that choose a reader or writer and title a
// window: the extension is the text after the last dot of the last path
// component; the base name is that component without it.

#include <filesystem>
#include <string>

namespace tamsel {

// Lower-cased, without the dot; empty when the name has no dot.
std::string lowercasedExtension(const std::filesystem::path& path);

// "My Primers.csv" gives "My Primers", "Set 3.final.xlsx" gives "Set 3.final";
// a name without a dot stays whole.
std::string baseName(const std::filesystem::path& path);

// `path` with its extension replaced by `extension` (added when it has none).
std::filesystem::path withExtension(const std::filesystem::path& path, const std::string& extension);

}  // namespace tamsel
