#pragma once

// Crafted files that attack the readers: bombs, loops, huge claims, cut-off
// fields. Each is built in code, so the repository holds a few kilobytes
// where the files hold up to ten megabytes.

#include <cstddef>
#include <functional>
#include <ostream>
#include <optional>
#include <string>
#include <vector>

#include "model/Bytes.h"

namespace tamsel::hostile {

// A file of this name, with this content, in a folder of its own.
inline constexpr const char* kSecretFileName = "secret.txt";
inline constexpr const char* kSecretText = "TAMSEL-SECRET-CANARY";

struct HostileFile {
  std::string name;      // test name and file name, extension included
  // The file's bytes; `folder` is where it will lie (for entities naming a
  // file beside it).
  std::function<Bytes(const std::string& folder)> make;
  // The import must end in exactly this message, or succeed with this many
  // primers.
  std::optional<std::string> message;
  std::size_t primerCount = 0;
  // When given, the names the imported primers must have.
  std::vector<std::string> names = {};
};

std::vector<HostileFile> hostileFiles();

// Test output names the file rather than dumping the object's bytes.
inline void PrintTo(const HostileFile& file, std::ostream* out) { *out << file.name; }

}  // namespace tamsel::hostile
