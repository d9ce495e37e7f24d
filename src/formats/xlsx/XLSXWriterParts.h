#pragma once

// The two parts of an exported workbook that depend on the primers: the
// shared-string table ("xl/sharedStrings.xml") and the sheet
// ("xl/worksheets/sheet1.xml"). XLSXWriter::write is their only caller
// besides the tests.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/ByteSink.h"
#include "model/PrimerList.h"
#include "model/ColumnTitles.h"

namespace tamsel::xlsx {

inline constexpr std::size_t kColumnCount = kColumnTitles.size();
inline constexpr const std::array<std::string_view, kColumnCount>& kHeaderTexts = kColumnTitles;

// The shared-string table. Its texts view the primers' own strings (and
// static literals), so it must not outlive the list it was collected from.
struct SharedStrings {
  // Distinct texts in order of first appearance, reading the sheet row by
  // row: the four header texts always hold positions 0 to 3.
  std::vector<std::string_view> texts;
  // The table position of every cell's text, four per row, header row first.
  std::vector<std::uint32_t> cellPositions;
};
SharedStrings collectStrings(const PrimerList& primers);

// Write the text of "xl/sharedStrings.xml" and of "xl/worksheets/sheet1.xml"
// (for the given cell positions) to `out`.
void writeSharedStringsXML(std::span<const std::string_view> texts, ByteSink& out);
void writeSheetXML(std::span<const std::uint32_t> cellPositions, ByteSink& out);

// Bijective base 26: 0 is "A", 25 "Z", 26 "AA".
std::string columnLetters(std::size_t index);

}  // namespace tamsel::xlsx
