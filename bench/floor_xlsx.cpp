// The floor under reading an .xlsx file: the whole file read, every member
// of the archive inflated with libdeflate (a stored member is taken as it
// is), and every "<" of the inflated parts found with memchr. No XML is
// parsed, so no reader of the workbook can be faster. Prints the count of
// "<" so none of the work is left out.
//
//   floor_xlsx FILE.xlsx

#include <libdeflate.h>

#include <cstdio>
#include <cstring>
#include <memory>

#include "common/PlainRead.h"
#include "formats/zip/ZIPLayout.h"
#include "model/LittleEndian.h"

namespace {

using namespace tamsel;

std::size_t countTagStarts(const unsigned char* data, std::size_t size) {
  std::size_t count = 0;
  const unsigned char* const end = data + size;
  for (const unsigned char* at = data;; ++at, ++count) {
    at = static_cast<const unsigned char*>(std::memchr(at, '<', static_cast<std::size_t>(end - at)));
    if (!at) return count;
  }
  return count;
}

[[noreturn]] void fail(const char* what) {
  std::fprintf(stderr, "floor_xlsx: %s\n", what);
  std::exit(1);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) fail("usage: floor_xlsx FILE.xlsx");
  const bench::PlainFile file = bench::readPlain(argv[1]);
  const ByteView bytes(file.bytes.get(), file.size);

  // The end record is the last thing in the file, before a comment of at most 64 KB.
  std::size_t end = bytes.size() >= zip::kEndRecordSize ? bytes.size() - zip::kEndRecordSize + 1 : 0;
  do {
    if (end == 0 || bytes.size() - end >= zip::kEndRecordSize + 0xFFFF) fail("no end of central directory record");
  } while (le::u32(bytes, --end) != zip::kEndRecordSignature);

  libdeflate_decompressor* decompressor = libdeflate_alloc_decompressor();
  std::unique_ptr<unsigned char[]> inflated;
  std::size_t capacity = 0, tags = 0, members = le::u16(bytes, end + 10);
  std::size_t entry = le::u32(bytes, end + 16);
  for (std::size_t i = 0; i < members; ++i) {
    if (le::u32(bytes, entry) != zip::kCentralHeaderSignature) fail("damaged central directory");
    const std::uint16_t method = le::u16(bytes, entry + 10);
    const std::size_t packed = le::u32(bytes, entry + 20), size = le::u32(bytes, entry + 24);
    const std::size_t local = le::u32(bytes, entry + 42);
    entry += zip::kCentralHeaderSize + le::u16(bytes, entry + 28) + le::u16(bytes, entry + 30) +
             le::u16(bytes, entry + 32);
    const std::size_t data = local + zip::kLocalHeaderSize + le::u16(bytes, local + 26) + le::u16(bytes, local + 28);
    if (!le::fits(bytes, data, packed)) fail("a member runs past the end of the file");
    if (method == zip::kMethodStored) {
      tags += countTagStarts(bytes.data() + data, packed);
      continue;
    }
    if (method != zip::kMethodDeflate) fail("a member with an unknown compression method");
    if (size > capacity) {
      inflated.reset(new unsigned char[size]);
      capacity = size;
    }
    std::size_t produced = 0;
    if (libdeflate_deflate_decompress(decompressor, bytes.data() + data, packed, inflated.get(), size, &produced) !=
        LIBDEFLATE_SUCCESS) {
      fail("a member does not inflate");
    }
    tags += countTagStarts(inflated.get(), produced);
  }
  libdeflate_free_decompressor(decompressor);
  std::printf("%zu members, %zu tags\n", members, tags);
  return 0;
}
