#include "formats/xlsx/XLSXWriter.h"

#include <stdexcept>

#include "formats/xlsx/XLSXFixedParts.h"
#include "formats/xlsx/XLSXWriterParts.h"
#include "formats/zip/ZIPWriter.h"

namespace tamsel {
namespace {

using namespace xlsx;

std::size_t decimalDigits(std::size_t value) {
  std::size_t digits = 1;
  for (; value >= 10; value /= 10) ++digits;
  return digits;
}

// Enough for the whole archive unless texts need many escapes, so the parts
// are written without the archive buffer ever moving.
std::size_t archiveSizeHint(const SharedStrings& table) {
  constexpr std::size_t kPerMember = 30 + 46 + 2 * 32;  // headers and name, twice
  std::size_t size = 7 * kPerMember + 22 + XLSXFixedParts::kContentTypesXML.size() +
                     XLSXFixedParts::kPackageRelationshipsXML.size() +
                     XLSXFixedParts::kWorkbookRelationshipsXML.size() + XLSXFixedParts::kWorkbookXML.size() +
                     XLSXFixedParts::kStylesXML.size();
  size += 200 + 16 * table.texts.size();  // "<si><t></t></si>"
  for (std::string_view text : table.texts) size += text.size();
  const std::size_t rows = table.cellPositions.size() / kColumnCount;
  const std::size_t rowDigits = decimalDigits(rows);
  const std::size_t positionDigits = decimalDigits(table.texts.size());
  // "<row r=\"N\">" ... "</row>" around four "<c r=\"AN\" t=\"s\"><v>P</v></c>".
  size += 200 + rows * (16 + rowDigits + kColumnCount * (26 + rowDigits + positionDigits));
  return size;
}

}  // namespace

Bytes XLSXWriter::write(const PrimerList& primers) {
  const SharedStrings table = collectStrings(primers);
  zip::ZIPWriter archive(archiveSizeHint(table));
  archive.addMember("[Content_Types].xml", asBytes(XLSXFixedParts::kContentTypesXML));
  archive.addMember("_rels/.rels", asBytes(XLSXFixedParts::kPackageRelationshipsXML));
  archive.addMember("xl/_rels/workbook.xml.rels", asBytes(XLSXFixedParts::kWorkbookRelationshipsXML));
  archive.addMember("xl/workbook.xml", asBytes(XLSXFixedParts::kWorkbookXML));
  archive.addMember("xl/styles.xml", asBytes(XLSXFixedParts::kStylesXML));
  archive.addMember("xl/sharedStrings.xml", [&](Bytes& out) { appendSharedStringsXML(table.texts, out); });
  archive.addMember("xl/worksheets/sheet1.xml", [&](Bytes& out) { appendSheetXML(table.cellPositions, out); });
  return std::move(archive).finish();
}

Expected<Bytes, std::string> XLSXWriter::writeChecked(const PrimerList& primers) {
  try {
    return write(primers);
  } catch (const std::length_error& error) {
    return unexpected("The list is too large for an Excel workbook: " + std::string(error.what()));
  }
}

}  // namespace tamsel
