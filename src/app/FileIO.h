#pragma once

// The only place where Tamsel touches the file system: whole-file reads with
// a size limit (of files and of standard input), and writes that replace a file atomically, so a failed write
// never destroys the file that was there.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "model/Bytes.h"
#include "model/Expected.h"

namespace tamsel {

// Larger files are refused before any of them is read.
inline constexpr std::uint64_t kMaxInputFileBytes = std::uint64_t{1} << 30;

// The whole file, or a readable reason ("No such file or directory (path)").
// Only regular files are read: a directory or a pipe is refused, never waited on.
Expected<Bytes, std::string> readWholeFile(const std::filesystem::path& path,
                                           std::uint64_t maxBytes = kMaxInputFileBytes);

// Standard input to its end, under the same limit as a file: a pipe is read
// in chunks and refused as soon as it passes `maxBytes`.
Expected<Bytes, std::string> readStandardInput(std::uint64_t maxBytes = kMaxInputFileBytes);

// Writes all of `bytes` to standard output; the reason when that fails
// (a closed pipe, a full disk).
std::optional<std::string> writeStandardOutput(ByteView bytes);

// Writes `bytes` to a new file in the destination's folder, flushes it to
// disk and renames it over `destination`. Returns nothing on success, else a
// readable reason; on failure the destination is untouched and the temporary
// file removed. An existing destination keeps its permission bits; a symbolic
// link is followed, so the file it names is replaced and the link stays.
std::optional<std::string> writeFileAtomically(const std::filesystem::path& destination, ByteView bytes);

}  // namespace tamsel
