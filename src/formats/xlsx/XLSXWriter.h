#pragma once

// Writes a primer list as an Excel workbook (.xlsx): one sheet with the
// header row Selected, Name, Sequence, Comment, then one row per primer, every
// cell a shared string. The package holds seven parts, stored uncompressed:
// five fixed texts (XLSXFixedParts.h), the shared-string table and the sheet.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/Bytes.h"
#include "model/Expected.h"
#include "model/PrimerEntry.h"

namespace tamsel {

class XLSXWriter {
 public:
  // The workbook's bytes. Throws std::length_error only for a list too large
  // for the ZIP format (a part over 4 GB, tens of millions of primers).
  static Bytes write(const PrimerList& primers);
  // As write, but such a list gives the reason to show instead.
  static Expected<Bytes, std::string> writeChecked(const PrimerList& primers);

  static constexpr std::size_t kColumnCount = 4;
  static constexpr std::array<std::string_view, kColumnCount> kHeaderTexts = {"Selected", "Name", "Sequence",
                                                                              "Comment"};

  // The shared-string table. Its texts view the primers' own strings (and
  // static literals), so it must not outlive the list it was collected from.
  struct SharedStrings {
    // Distinct texts in order of first appearance, reading the sheet row by
    // row: the four header texts always hold positions 0 to 3.
    std::vector<std::string_view> texts;
    // The table position of every cell's text, four per row, header row first.
    std::vector<std::uint32_t> cellPositions;
  };
  static SharedStrings collectStrings(const PrimerList& primers);

  // The text of "xl/sharedStrings.xml".
  static std::string sharedStringsXML(std::span<const std::string_view> texts);
  static void appendSharedStringsXML(std::span<const std::string_view> texts, Bytes& out);

  // The text of "xl/worksheets/sheet1.xml" for the given cell positions.
  static std::string sheetXML(std::span<const std::uint32_t> cellPositions);
  static void appendSheetXML(std::span<const std::uint32_t> cellPositions, Bytes& out);

  // Bijective base 26: 0 is "A", 25 "Z", 26 "AA".
  static std::string columnLetters(std::size_t index);
};

}  // namespace tamsel
