// .xlsx: the reader and writer on bytes in memory, and the floor under the
// reader: libdeflate inflate of the sheet and shared-string members, a memchr
// scan of every tag, and XML parsers with empty handlers (expat, libxml2's
// SAX2, Tamsel's own tokenizer).
//
// Workbooks come from bench/data (bench/generate.sh): "1m_shared" and
// "1m_inline" from xlsxwriter (deflated), "1m" from Tamsel's writer (stored).

#include <benchmark/benchmark.h>
#include <expat.h>
#include <libdeflate.h>

#include <cstring>
#include <map>
#include <string>

#include "common/BenchFiles.h"
#include "common/SyntheticPrimers.h"
#include "formats/xlsx/SharedStringsParser.h"
#include "formats/xlsx/SheetParser.h"
#include "formats/xlsx/XLSXParser.h"
#include "formats/xlsx/XLSXWriter.h"
#include "formats/zip/ZIPReader.h"
#include "import/ConvertRows.h"

#ifdef TAMSEL_BENCH_LIBXML2
#include <libxml/parser.h>
#endif
#if __has_include("formats/xml/XMLParser.h")
#include "formats/xml/XMLParser.h"
#define TAMSEL_BENCH_TOKENIZER 1
#endif

namespace tamsel::bench {
namespace {

using namespace tamsel::xlsx;
using namespace tamsel::xml;
using zip::ZIPReader;

constexpr const char* kSheet = "xl/worksheets/sheet1.xml";
constexpr const char* kSharedStrings = "xl/sharedStrings.xml";

struct Workbook {
  Bytes file;
  Bytes sheet;          // inflated
  Bytes sharedStrings;  // inflated; empty for inline strings
  std::size_t primers = 0;
};

std::size_t primersOf(const std::string& label) {
  return label.starts_with("1m") ? 1'000'000 : label.starts_with("100k") ? 100'000 : 10'000;
}

// Loaded once per process: the 1m workbooks take seconds to inflate.
const Workbook* workbook(benchmark::State& state, const std::string& label) {
  static std::map<std::string, Workbook> cache;
  if (auto found = cache.find(label); found != cache.end()) return &found->second;
  auto file = loadDataFile(state, "primers_" + label + ".xlsx");
  if (!file) return nullptr;
  Workbook book;
  book.file = std::move(*file);
  book.primers = primersOf(label);
  const ZIPReader zip(book.file);
  auto directory = zip.readCentralDirectory();
  if (auto sheet = zip.extractMember(*directory, kSheet)) book.sheet = std::move(*sheet);
  if (auto strings = zip.extractMember(*directory, kSharedStrings)) book.sharedStrings = std::move(*strings);
  return &cache.emplace(label, std::move(book)).first->second;
}

std::size_t xmlBytes(const Workbook& book) { return book.sheet.size() + book.sharedStrings.size(); }

// Read + inflate: the central directory, then libdeflate straight into a
// buffer of the declared size, for both members.
void BM_XLSXFloor_Inflate(benchmark::State& state, std::string label) {
  const Workbook* book = workbook(state, label);
  if (!book) return;
  libdeflate_decompressor* decompressor = libdeflate_alloc_decompressor();
  for (auto _ : state) {
    const ZIPReader zip(book->file);
    auto directory = zip.readCentralDirectory();
    for (const ZIPReader::Entry& entry : *directory) {
      if (entry.filename != kSheet && entry.filename != kSharedStrings) continue;
      const std::uint8_t* local = book->file.data() + entry.localHeaderOffset;
      const std::size_t start = 30 + (local[26] | local[27] << 8) + (local[28] | local[29] << 8);
      Bytes out(static_cast<std::size_t>(entry.uncompressedSize));
      if (entry.compressionMethod == 8) {
        libdeflate_deflate_decompress(decompressor, local + start, entry.compressedSize, out.data(), out.size(),
                                      nullptr);
      } else {
        std::memcpy(out.data(), local + start, out.size());
      }
      benchmark::DoNotOptimize(out.data());
    }
  }
  libdeflate_free_decompressor(decompressor);
  reportThroughput(state, book->primers, xmlBytes(*book));
}

// Every tag found with memchr for '<' and '>'.
void BM_XLSXFloor_TagScan(benchmark::State& state, std::string label) {
  const Workbook* book = workbook(state, label);
  if (!book) return;
  for (auto _ : state) {
    std::size_t tags = 0;
    for (const Bytes* part : {&book->sheet, &book->sharedStrings}) {
      const char* p = reinterpret_cast<const char*>(part->data());
      const char* end = p + part->size();
      while ((p = static_cast<const char*>(std::memchr(p, '<', end - p)))) {
        p = static_cast<const char*>(std::memchr(p, '>', end - p));
        if (!p) break;
        ++tags;
      }
    }
    benchmark::DoNotOptimize(tags);
  }
  reportThroughput(state, book->primers, xmlBytes(*book));
}

void XMLCALL expatStart(void*, const XML_Char*, const XML_Char**) {}
void XMLCALL expatEnd(void*, const XML_Char*) {}
void XMLCALL expatText(void*, const XML_Char*, int) {}

void BM_XLSXFloor_Expat(benchmark::State& state, std::string label) {
  const Workbook* book = workbook(state, label);
  if (!book) return;
  for (auto _ : state) {
    for (const Bytes* part : {&book->sheet, &book->sharedStrings}) {
      XML_Parser parser = XML_ParserCreateNS(nullptr, '\x1F');
      XML_SetElementHandler(parser, expatStart, expatEnd);
      XML_SetCharacterDataHandler(parser, expatText);
      XML_Parse(parser, reinterpret_cast<const char*>(part->data()), static_cast<int>(part->size()), XML_TRUE);
      XML_ParserFree(parser);
    }
  }
  reportThroughput(state, book->primers, xmlBytes(*book));
}

#ifdef TAMSEL_BENCH_LIBXML2
void libxmlStart(void*, const xmlChar*, const xmlChar*, const xmlChar*, int, const xmlChar**, int, int,
                 const xmlChar**) {}
void libxmlEnd(void*, const xmlChar*, const xmlChar*, const xmlChar*) {}
void libxmlText(void*, const xmlChar*, int) {}

void BM_XLSXFloor_LibXml2SAX2(benchmark::State& state, std::string label) {
  const Workbook* book = workbook(state, label);
  if (!book) return;
  xmlSAXHandler handler{};
  handler.initialized = XML_SAX2_MAGIC;
  handler.startElementNs = libxmlStart;
  handler.endElementNs = libxmlEnd;
  handler.characters = libxmlText;
  for (auto _ : state) {
    for (const Bytes* part : {&book->sheet, &book->sharedStrings}) {
      if (part->empty()) continue;
      xmlSAXUserParseMemory(&handler, nullptr, reinterpret_cast<const char*>(part->data()),
                            static_cast<int>(part->size()));
    }
  }
  reportThroughput(state, book->primers, xmlBytes(*book));
}
#endif

#ifdef TAMSEL_BENCH_TOKENIZER
class EmptyTokenHandler final : public XMLHandler {
 public:
  void startElement(const XMLElementStart&) override {}
  void characters(std::string_view) override {}
  void endElement(const XMLName&) override {}
};

void BM_XLSXFloor_TamselTokenizer(benchmark::State& state, std::string label) {
  const Workbook* book = workbook(state, label);
  if (!book) return;
  for (auto _ : state) {
    for (const Bytes* part : {&book->sheet, &book->sharedStrings}) {
      EmptyTokenHandler handler;
      benchmark::DoNotOptimize(tokenizeXML(*part, handler));
    }
  }
  reportThroughput(state, book->primers, xmlBytes(*book));
}
#endif

void BM_XLSXSharedStrings(benchmark::State& state, std::string label) {
  const Workbook* book = workbook(state, label);
  if (!book) return;
  for (auto _ : state) {
    SharedStringTable table = parseSharedStrings(book->sharedStrings);
    benchmark::DoNotOptimize(table.size());
  }
  reportThroughput(state, book->primers, book->sharedStrings.size());
}

void BM_XLSXSheet(benchmark::State& state, std::string label) {
  const Workbook* book = workbook(state, label);
  if (!book) return;
  const SharedStringTable table = parseSharedStrings(book->sharedStrings);
  for (auto _ : state) {
    RowTable rows = parseSheet(book->sheet, table);
    benchmark::DoNotOptimize(rows.size());
  }
  reportThroughput(state, book->primers, book->sheet.size());
}

// XLSXParser::parse: the archive to the row table.
void BM_XLSXRead(benchmark::State& state, std::string label) {
  const Workbook* book = workbook(state, label);
  if (!book) return;
  for (auto _ : state) {
    auto rows = XLSXParser::parse(book->file);
    benchmark::DoNotOptimize(rows->size());
  }
  reportThroughput(state, book->primers, xmlBytes(*book));
}

// The whole import of the bytes: row table, then primers.
void BM_XLSXImport(benchmark::State& state, std::string label) {
  const Workbook* book = workbook(state, label);
  if (!book) return;
  for (auto _ : state) {
    auto rows = XLSXParser::parse(book->file);
    auto primers = primersFromRows(*rows);
    benchmark::DoNotOptimize(primers->size());
  }
  reportThroughput(state, book->primers, xmlBytes(*book));
}

void BM_XLSXWrite(benchmark::State& state) {
  const PrimerList primers = syntheticPrimers(state.range(0));
  std::size_t bytes = 0;
  for (auto _ : state) {
    Bytes file = XLSXWriter::write(primers);
    bytes = file.size();
    benchmark::DoNotOptimize(file.data());
  }
  reportThroughput(state, state.range(0), bytes);
}

const int registered = [] {
  using Function = void (*)(benchmark::State&, std::string);
  const std::pair<const char*, Function> benchmarks[] = {
    {"BM_XLSXFloor_Inflate", BM_XLSXFloor_Inflate},
    {"BM_XLSXFloor_TagScan", BM_XLSXFloor_TagScan},
    {"BM_XLSXFloor_Expat", BM_XLSXFloor_Expat},
#ifdef TAMSEL_BENCH_LIBXML2
    {"BM_XLSXFloor_LibXml2SAX2", BM_XLSXFloor_LibXml2SAX2},
#endif
#ifdef TAMSEL_BENCH_TOKENIZER
    {"BM_XLSXFloor_TamselTokenizer", BM_XLSXFloor_TamselTokenizer},
#endif
    {"BM_XLSXSharedStrings", BM_XLSXSharedStrings},
    {"BM_XLSXSheet", BM_XLSXSheet},
    {"BM_XLSXRead", BM_XLSXRead},
    {"BM_XLSXImport", BM_XLSXImport},
  };
  for (const char* label : {"100k_shared", "1m_shared", "1m_inline", "1m"}) {
    for (const auto& [name, function] : benchmarks) {
      benchmark::RegisterBenchmark((std::string(name) + "/" + label).c_str(), function, std::string(label))
          ->Unit(benchmark::kMillisecond);
    }
  }
  benchmark::RegisterBenchmark("BM_XLSXWrite", BM_XLSXWrite)
      ->RangeMultiplier(10)
      ->Range(10'000, 1'000'000)
      ->Unit(benchmark::kMillisecond);
  return 0;
}();

}  // namespace
}  // namespace tamsel::bench
