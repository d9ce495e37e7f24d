// The floor under reading a .csv file: the whole file read, every field
// found (commas and line ends outside double quotes, a doubled quote inside
// them one quote), and every cell's text copied into one buffer. No
// decoding, no rows, no primers, so no reader of the file can be faster.
// Prints the count of cells and copied bytes so none of the work is left out.
//
//   floor_csv FILE.csv

#include <array>
#include <cstdio>
#include <cstring>
#include <memory>

#include "common/PlainRead.h"

namespace {

// The bytes that end an unquoted field.
constexpr std::array<bool, 256> kFieldEnd = [] {
  std::array<bool, 256> table{};
  table[','] = table['\n'] = table['\r'] = true;
  return table;
}();

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: floor_csv FILE.csv\n");
    return 1;
  }
  const tamsel::bench::PlainFile file = tamsel::bench::readPlain(argv[1]);
  const unsigned char* at = file.bytes.get();
  const unsigned char* const end = at + file.size;
  std::unique_ptr<unsigned char[]> cells(new unsigned char[file.size + 1]);
  std::size_t copied = 0, count = 0;
  const auto copy = [&](const unsigned char* from, const unsigned char* to) {
    std::memcpy(cells.get() + copied, from, static_cast<std::size_t>(to - from));
    copied += static_cast<std::size_t>(to - from);
  };
  while (at < end) {
    if (*at == '"') {
      ++at;
      for (;;) {
        const auto* quote = static_cast<const unsigned char*>(std::memchr(at, '"', static_cast<std::size_t>(end - at)));
        if (!quote) {
          copy(at, end);
          at = end;
          break;
        }
        copy(at, quote);
        at = quote + 1;
        if (at == end || *at != '"') break;
        cells[copied++] = '"';
        ++at;
      }
      // Anything between the closing quote and the separator belongs to the cell.
      const unsigned char* start = at;
      while (at < end && !kFieldEnd[*at]) ++at;
      copy(start, at);
    } else {
      const unsigned char* start = at;
      while (at < end && !kFieldEnd[*at]) ++at;
      copy(start, at);
    }
    ++count;
    if (at < end && *at == '\r') ++at;
    if (at < end && (*at == ',' || *at == '\n')) ++at;
  }
  std::printf("%zu cells, %zu bytes, last %d\n", count, copied, copied ? cells[copied - 1] : -1);
  return 0;
}
