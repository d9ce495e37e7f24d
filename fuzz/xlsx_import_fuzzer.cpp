// Imports any bytes as an .xlsx workbook twice: in one pass (the rows of a
// workbook of one sheet stream to the primers) and through the tables of
// every sheet. For a workbook of at most one sheet both give one outcome.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "app/ImportFile.h"

namespace {

bool sameOutcome(const tamsel::ImportOutcome& a, const tamsel::ImportOutcome& b) {
  if (a.error != b.error || a.succeeded() != b.succeeded() || a.sheetNames != b.sheetNames) return false;
  if (a.layout.has_value() != b.layout.has_value()) return false;
  if (a.layout && describeLayoutInDetail(*a.layout) != describeLayoutInDetail(*b.layout)) return false;
  if (!a.succeeded()) return true;
  if (a.primers->size() != b.primers->size()) return false;
  for (std::size_t i = 0; i < a.primers->size(); ++i) {
    if (!(*a.primers)[i].sameFields((*b.primers)[i])) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const tamsel::ByteView bytes(data, size);
  const tamsel::ImportOutcome streamed = tamsel::importBytes(bytes, "xlsx", "list");
  if (streamed.sheetNames.size() > 1) return 0;
  const tamsel::ImportOutcome tables = tamsel::importBytes(bytes, "xlsx", "list", tamsel::SheetRequest::all());
  if (!sameOutcome(streamed, tables)) std::abort();
  return 0;
}
