#include "app/FileNames.h"

#include "model/Unicode.h"

namespace tamsel {

std::string lowercasedExtension(const std::filesystem::path& path) {
  const std::string name = path.filename().string();
  const std::size_t dot = name.rfind('.');
  if (dot == std::string::npos) return {};
  return unicode::toLower(std::string_view(name).substr(dot + 1));
}

std::string baseName(const std::filesystem::path& path) {
  const std::string name = path.filename().string();
  return name.substr(0, name.rfind('.'));
}

std::filesystem::path withExtension(const std::filesystem::path& path, const std::string& extension) {
  return path.parent_path() / (baseName(path) + "." + extension);
}

}  // namespace tamsel
