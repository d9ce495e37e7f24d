#pragma once

// A file as its reader produces it, before any conversion to primers: the
// first step of an import, and what `tamsel-cli rows` shows.

#include <cstdint>
#include <filesystem>
#include <limits>
#include <string>

#include "formats/ReadResult.h"

namespace tamsel {

// Reads the whole file and hands it to the reader its lower-cased extension
// chooses. The error is the message a user sees ("Failed to read file: ...").
Expected<ReadResult, std::string> readUnconverted(
    const std::filesystem::path& path, std::uint32_t storedColumns = std::numeric_limits<std::uint32_t>::max());

// The same from bytes in memory (standard input), the reader chosen by
// `extension` (lower-cased, without the dot).
Expected<ReadResult, std::string> readUnconverted(
    ByteView bytes, std::string_view extension,
    std::uint32_t storedColumns = std::numeric_limits<std::uint32_t>::max());

}  // namespace tamsel
