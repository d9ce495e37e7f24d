#pragma once

// A file as its reader produces it, before any conversion to primers: the
// first step of an import, and what `tamsel-cli rows` shows.

#include <cstdint>
#include <filesystem>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "formats/ReadResult.h"
#include "model/SheetChoice.h"

namespace tamsel {

// Reads the whole file and hands it to the reader its lower-cased extension
// chooses. The error is the message a user sees ("Failed to read file: ...").
// A workbook's sheet is the one `sheet` names (by default its first).
Expected<ReadResult, std::string> readUnconverted(
    const std::filesystem::path& path, std::uint32_t storedColumns = std::numeric_limits<std::uint32_t>::max(),
    const SheetChoice& sheet = {});

// The same from bytes in memory (standard input), the reader chosen by
// `extension` (lower-cased, without the dot).
Expected<ReadResult, std::string> readUnconverted(
    ByteView bytes, std::string_view extension,
    std::uint32_t storedColumns = std::numeric_limits<std::uint32_t>::max(), const SheetChoice& sheet = {});

// Which worksheet of a workbook (.xls, .xlsx, .ods) an import reads: by
// default the first whose table has a sequence column (else the first), or
// one sheet, or every sheet with a sequence column, their primers in sheet
// order. Other formats have no sheets and ignore it.
struct SheetRequest {
  enum class Kind { automatic, one, all };
  Kind kind = Kind::automatic;
  SheetChoice sheet;  // for Kind::one

  static SheetRequest one(SheetChoice sheet) { return {Kind::one, std::move(sheet)}; }
  static SheetRequest all() { return {Kind::all, {}}; }
  // "all", a sheet's number (from 1), else a sheet's name.
  static SheetRequest parse(std::string_view text);
};

// What a request reads from the bytes: one result (the default choice or the
// sheet asked for; any format), or with Kind::all every worksheet with a
// sequence column in order (the default choice's result when none has).
Expected<std::vector<ReadResult>, std::string> readSheets(ByteView bytes, std::string_view extension,
                                                          std::uint32_t storedColumns, const SheetRequest& request);

}  // namespace tamsel
