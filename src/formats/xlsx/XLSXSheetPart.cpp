// The worksheet of an exported workbook, "xl/worksheets/sheet1.xml": every
// cell a reference to the shared-string table, nothing else.

#include <algorithm>
#include <charconv>
#include <string_view>

#include "formats/xlsx/XLSXWriterParts.h"
#include "formats/xlsx/XLSXWriterText.h"

namespace tamsel::xlsx {
namespace {

constexpr std::string_view kPartStart =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">\n"
    "<sheetData>";
constexpr std::string_view kPartEnd = "</sheetData></worksheet>";

// Builds one row in a fixed buffer, then writes it in one piece.
class RowBuilder {
 public:
  // Long enough for a row of four cells with 20-digit row numbers and
  // 10-digit positions (260 bytes).
  static constexpr std::size_t kCapacity = 320;

  void put(std::string_view text) { end_ = std::copy(text.begin(), text.end(), end_); }
  void put(char c) { *end_++ = c; }
  void putDecimal(std::size_t value) { end_ = std::to_chars(end_, buffer_ + kCapacity, value).ptr; }
  void writeTo(ByteSink& out) {
    out.write(std::string_view(buffer_, static_cast<std::size_t>(end_ - buffer_)));
    end_ = buffer_;
  }

 private:
  char buffer_[kCapacity];
  char* end_ = buffer_;
};

}  // namespace

std::string columnLetters(std::size_t index) {
  std::string letters;
  while (true) {
    letters.insert(letters.begin(), static_cast<char>('A' + index % 26));
    if (index < 26) return letters;
    index = index / 26 - 1;
  }
}

void writeSheetXML(std::span<const std::uint32_t> cellPositions, ByteSink& out) {
  std::array<std::string, kColumnCount> letters;
  for (std::size_t column = 0; column < kColumnCount; ++column) letters[column] = columnLetters(column);

  out.write(kPartStart);
  RowBuilder row;
  char rowNumber[24];
  const std::size_t rowCount = cellPositions.size() / kColumnCount;
  for (std::size_t r = 0; r < rowCount; ++r) {
    const std::string_view number(rowNumber,
                                  static_cast<std::size_t>(std::to_chars(std::begin(rowNumber), std::end(rowNumber), r + 1).ptr - rowNumber));
    row.put("<row r=\"");
    row.put(number);
    row.put("\">");
    for (std::size_t column = 0; column < kColumnCount; ++column) {
      row.put("<c r=\"");
      row.put(letters[column]);
      row.put(number);
      row.put("\" t=\"s\"><v>");
      row.putDecimal(cellPositions[r * kColumnCount + column]);
      row.put("</v></c>");
    }
    row.put("</row>");
    row.writeTo(out);
  }
  out.write(kPartEnd);
}

}  // namespace tamsel::xlsx
