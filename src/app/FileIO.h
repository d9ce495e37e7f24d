#pragma once

// The only place where Tamsel touches the file system: whole-file reads with
// a size limit (of files and of standard input), and writes that replace a file atomically, so a failed write
// never destroys the file that was there.

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "model/ByteSink.h"
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

// Writes a file's contents into `out`, which passes them on in large blocks;
// the reason when the contents cannot be made (a list a format cannot hold).
using ContentsWriter = std::function<std::optional<std::string>(ByteSink& out)>;

// Streams what `write` gives to standard output; the reason when that fails
// (a closed pipe, a full disk), or the reason `write` gave.
std::optional<std::string> writeStandardOutput(const ContentsWriter& write);

// Streams what `write` gives into a new file in the destination's folder,
// flushes it to disk and renames it over `destination`. Returns nothing on
// success, else a readable reason (or the reason `write` gave); on failure
// the destination is untouched and the temporary file removed. When
// `cancelled` is set before the rename, the temporary file is removed and
// nothing is reported; writing stops at the next block once it is set.
// An existing destination keeps its permission bits; a symbolic link is
// followed, so the file it names is replaced and the link stays.
std::optional<std::string> writeFileAtomically(const std::filesystem::path& destination, const ContentsWriter& write,
                                               const std::atomic<bool>* cancelled = nullptr);
std::optional<std::string> writeFileAtomically(const std::filesystem::path& destination, ByteView bytes);

}  // namespace tamsel
