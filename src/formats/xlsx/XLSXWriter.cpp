#include "formats/xlsx/XLSXWriter.h"

#include <stdexcept>

#include "formats/xlsx/XLSXFixedParts.h"
#include "formats/xlsx/XLSXWriterParts.h"
#include "formats/zip/ZIPWriter.h"

namespace tamsel {

using namespace xlsx;

void XLSXWriter::write(const PrimerList& primers, ByteSink& out) {
  const SharedStrings table = collectStrings(primers);
  zip::ZIPWriter archive(out);
  archive.addMember("[Content_Types].xml", asBytes(XLSXFixedParts::kContentTypesXML));
  archive.addMember("_rels/.rels", asBytes(XLSXFixedParts::kPackageRelationshipsXML));
  archive.addMember("xl/_rels/workbook.xml.rels", asBytes(XLSXFixedParts::kWorkbookRelationshipsXML));
  archive.addMember("xl/workbook.xml", asBytes(XLSXFixedParts::kWorkbookXML));
  archive.addMember("xl/styles.xml", asBytes(XLSXFixedParts::kStylesXML));
  archive.addMember("xl/sharedStrings.xml", [&](ByteSink& part) { writeSharedStringsXML(table.texts, part); });
  archive.addMember("xl/worksheets/sheet1.xml", [&](ByteSink& part) { writeSheetXML(table.cellPositions, part); });
  std::move(archive).finish();
}

Bytes XLSXWriter::write(const PrimerList& primers) {
  MemorySink out;
  write(primers, out);
  return std::move(out).bytes();
}

std::optional<std::string> XLSXWriter::writeChecked(const PrimerList& primers, ByteSink& out) {
  try {
    write(primers, out);
    return std::nullopt;
  } catch (const std::length_error& error) {
    return "The list is too large for an Excel workbook: " + std::string(error.what());
  }
}

}  // namespace tamsel
