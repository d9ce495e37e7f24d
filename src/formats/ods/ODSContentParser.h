#pragma once

// Reads the content part (content.xml) of an OpenDocument spreadsheet: each
// table:table of the document is a worksheet, named by table:name, and the
// sheet picker says which of them to read into a row table.
//
// A cell's text is the text it shows: its text:p and text:h paragraphs joined
// with line feeds, text:s as its count of spaces, text:tab as a tab,
// text:line-break as a line feed, runs of other white space as one space (as
// ODF lays out paragraph text). Notes (office:annotation), footnotes and
// drawings inside a cell are not its text. A cell without a paragraph shows
// its value attribute (office:string-value, office:value, ...) as written.
// Covered cells (the parts of a merged cell) are empty.
//
// table:number-columns-repeated and table:number-rows-repeated repeat a cell
// or a row; empty cells and rows are only counted, never stored, and rows
// after a sheet's last row with text are dropped, so a sheet that repeats an
// empty cell a million times costs nothing. The table may hold at most
// `byteLimit` bytes, counting each cell and row it stores with its text.

#include <cstdint>
#include <string>
#include <vector>

#include "formats/xml/XMLParser.h"
#include "model/RowTable.h"
#include "model/SheetChoice.h"

namespace tamsel::ods {

class ContentParser final : public xml::XMLHandler {
 public:
  ContentParser(SheetPicker& picker, std::uint64_t byteLimit) : picker_(picker), byteLimit_(byteLimit) {}

  void startElement(const xml::XMLElementStart& element) override;
  void characters(std::string_view text) override;
  void endElement(const xml::XMLName& name) override;
  bool stopRequested() const override { return limitExceeded_; }

  bool limitExceeded() const { return limitExceeded_; }

 private:
  struct PendingCell {
    std::uint32_t column;
    std::size_t begin;  // in rowText_
    std::size_t length;
  };

  void startSheet(std::span<const xml::XMLAttribute> attributes);
  void endSheet();
  void startRow(std::span<const xml::XMLAttribute> attributes);
  void endRow();
  void startCell(std::span<const xml::XMLAttribute> attributes, bool covered);
  void endCell();
  void startInCell(const xml::XMLElementStart& element);
  void appendShown(std::string_view text);
  // Adds `bytes` to what the table holds; false (and the parse stops) past
  // the limit.
  bool charge(std::uint64_t bytes);

  SheetPicker& picker_;
  std::uint64_t byteLimit_;
  std::uint64_t bytesHeld_ = 0;
  bool limitExceeded_ = false;

  // Elements inside the current one that are being skipped (notes, drawings,
  // a table nested in a cell, a sheet not read); 0 when none.
  std::size_t skipDepth_ = 0;
  bool inSheet_ = false;
  bool readingSheet_ = false;
  RowTable rows_;
  std::uint64_t emptyRowsPending_ = 0;  // empty rows not yet added

  bool inRow_ = false;
  std::uint64_t rowRepeat_ = 1;
  std::uint64_t column_ = 0;  // of the next cell in the row
  std::vector<PendingCell> rowCells_;
  std::string rowText_;

  bool inCell_ = false;
  bool cellCovered_ = false;
  std::uint64_t cellRepeat_ = 1;
  std::string cellText_;
  std::string cellValue_;  // the value attribute, for a cell without paragraphs
  std::size_t paragraphs_ = 0;
  std::size_t paragraphDepth_ = 0;  // text:p/text:h open around the current text
  bool afterSpace_ = true;          // white space in the paragraph is collapsed after this
};

}  // namespace tamsel::ods
