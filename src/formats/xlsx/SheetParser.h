#pragma once

// Reads one worksheet part into a row table: one row per "row" element in
// document order (its "r" attribute is ignored), each cell's text at its
// column, gaps filled with empty texts up to the row's last cell.
//
// A cell's column comes from its "r" reference; a cell without a usable one
// takes the column after the previous cell of its row (column 0 when it is the
// row's first). Its text is the text of its "v" and "t" elements joined
// (CDATA included, the formula "f" never read); a cell of type "s" whose text
// is an index into the shared-string table resolves to that string, and an
// inline string ("inlineStr") has its _xHHHH_ escapes decoded.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "formats/xlsx/SharedStringsParser.h"
#include "formats/xml/XMLParser.h"
#include "model/RowTable.h"

namespace tamsel::xlsx {

class SheetParser final : public xml::XMLHandler {
 public:
  // `textLimit` bounds the bytes of text the row table may gather: a few
  // bytes of XML can name a long shared string (or an entity) in cell after
  // cell, and the table must not grow out of proportion to its input.
  // The table is not copied: it must outlive the parser.
  // With `stream` set, each row goes there as it ends, and the parser keeps
  // no table of its own.
  explicit SheetParser(const SharedStringTable& sharedStrings, std::uint64_t textLimit = UINT64_MAX,
                       RowSink* stream = nullptr)
      : sharedStrings_(sharedStrings), textLimit_(textLimit), out_(stream ? *stream : rows_) {}

  void startElement(const xml::XMLElementStart& element) override;
  void characters(std::string_view text) override;
  void endElement(const xml::XMLName& name) override;

  // Texts that lie in `part` (the shared-string part the table views) are
  // viewed there by the rows, which hold on to it, instead of copied.
  void viewTextsIn(std::shared_ptr<const Bytes> part) { out_.referTo(std::move(part)); }

  // The rows completed so far (none when they were streamed); a row still
  // open is not in it.
  RowTable takeRows() { return std::move(rows_); }
  bool textLimitExceeded() const { return textLimitExceeded_; }
  // The bytes of text gathered so far.
  std::uint64_t textBytes() const { return textBytes_; }
  bool stopRequested() const override { return textLimitExceeded_; }

 private:
  enum class CellType { other, sharedString, inlineString };

  // Cells of the open row wait here until its end, so a part cut off inside
  // a row leaves no half row behind.
  // A shared string is viewed in the table, which outlives the parser; other
  // texts are copied to `rowText_`, from `begin` on.
  struct PendingCell {
    std::uint32_t column;
    const char* shared;  // null for a text in `rowText_`
    std::size_t begin;
    std::size_t length;
  };

  void startCell(std::span<const xml::XMLAttribute> attributes);
  void endCell();
  void endRow();
  // The cell's text, and whether it is a view of the shared-string table.
  std::string_view resolveCellText(bool& shared);

  const SharedStringTable& sharedStrings_;
  std::uint64_t textLimit_;
  std::uint64_t textBytes_ = 0;
  bool textLimitExceeded_ = false;
  RowTable rows_;
  RowSink& out_;  // rows_ or the stream
  std::vector<PendingCell> currentRow_;
  std::string rowText_;
  std::string currentValue_;
  std::string unescaped_;
  CellType currentCellType_ = CellType::other;
  std::uint32_t currentColumn_ = 0;
  std::int64_t previousColumn_ = -1;  // in the open row
  bool inValue_ = false;
};

// Parses a whole worksheet part; a part that is not well-formed gives the
// rows completed before the error.
RowTable parseSheet(ByteView part, const SharedStringTable& sharedStrings);

}  // namespace tamsel::xlsx
