#include "formats/zip/ZIPWriter.h"

#include <libdeflate.h>

#include <limits>
#include <stdexcept>

#include "formats/zip/ZIPLayout.h"
#include "model/LittleEndian.h"

namespace tamsel::zip {
namespace {

constexpr std::uint16_t kVersion = 20;
constexpr std::size_t kMaxField32 = std::numeric_limits<std::uint32_t>::max();
constexpr std::size_t kMaxField16 = std::numeric_limits<std::uint16_t>::max();

// Field values are checked against their width before they are written.
void put16(Bytes& out, std::size_t value) { le::appendU16(out, static_cast<std::uint16_t>(value)); }
void put32(Bytes& out, std::size_t value) { le::appendU32(out, static_cast<std::uint32_t>(value)); }

void requireField(std::uint64_t value, std::size_t limit, const char* what) {
  if (value > limit) throw std::length_error(what);
}

// Keeps only the checksum and the size of what is written to it.
class ChecksumSink final : public ByteSink {
 public:
  ChecksumSink() : ByteSink(64 << 10) {}
  std::uint32_t crc() const { return crc_; }

 private:
  void drain(ByteView bytes) override { crc_ = libdeflate_crc32(crc_, bytes.data(), bytes.size()); }

  std::uint32_t crc_ = 0;
};

}  // namespace

std::uint32_t ZIPWriter::crc32(ByteView bytes) {
  // libdeflate's CRC (carry-less multiplication where the processor has it)
  // gives the same values as the bitwise definition, several times faster.
  return libdeflate_crc32(0, bytes.data(), bytes.size());
}

ZIPWriter::ZIPWriter(ByteSink& out) : out_(out), start_(out.position()) {}

void ZIPWriter::addMember(std::string_view name, ByteView contents) {
  requireField(contents.size(), kMaxField32, "A ZIP member is larger than 4 GB.");
  const std::uint64_t headerOffset = offset();
  const std::uint32_t crc = crc32(contents);
  writeLocalHeader(name, crc, contents.size());
  out_.write(contents);
  addDirectoryRecord(name, crc, contents.size(), headerOffset);
}

void ZIPWriter::addMember(std::string_view name, const std::function<void(ByteSink&)>& produce) {
  ChecksumSink measured;
  produce(measured);
  measured.flush();
  const std::uint64_t size = measured.position();
  requireField(size, kMaxField32, "A ZIP member is larger than 4 GB.");
  const std::uint64_t headerOffset = offset();
  writeLocalHeader(name, measured.crc(), size);
  const std::uint64_t dataOffset = offset();
  produce(out_);
  if (offset() - dataOffset != size) throw std::logic_error("A ZIP member's contents changed while written.");
  addDirectoryRecord(name, measured.crc(), size, headerOffset);
}

void ZIPWriter::writeLocalHeader(std::string_view name, std::uint32_t crc, std::size_t size) {
  requireField(name.size(), kMaxField16, "A ZIP member name is longer than 65,535 bytes.");
  requireField(offset(), kMaxField32, "The ZIP archive is larger than 4 GB.");
  Bytes header;
  header.reserve(kLocalHeaderSize + name.size());
  put32(header, kLocalHeaderSignature);
  put16(header, kVersion);
  put16(header, 0);  // flags
  put16(header, kMethodStored);
  put16(header, 0);  // time
  put16(header, 0);  // date
  put32(header, crc);
  put32(header, size);  // compressed
  put32(header, size);  // uncompressed
  put16(header, name.size());
  put16(header, 0);  // extra field length
  header.insert(header.end(), name.begin(), name.end());
  out_.write(header);
}

void ZIPWriter::addDirectoryRecord(std::string_view name, std::uint32_t crc, std::size_t size,
                                   std::uint64_t headerOffset) {
  Bytes& cd = centralDirectory_;
  put32(cd, kCentralHeaderSignature);
  put16(cd, kVersion);  // made by
  put16(cd, kVersion);  // needed to extract
  put16(cd, 0);         // flags
  put16(cd, kMethodStored);
  put16(cd, 0);         // time
  put16(cd, 0);         // date
  put32(cd, crc);
  put32(cd, size);
  put32(cd, size);
  put16(cd, name.size());
  put16(cd, 0);  // extra field length
  put16(cd, 0);  // comment length
  put16(cd, 0);  // disk number start
  put16(cd, 0);  // internal attributes
  put32(cd, 0);  // external attributes
  put32(cd, static_cast<std::size_t>(headerOffset));
  cd.insert(cd.end(), name.begin(), name.end());
  ++memberCount_;
}

void ZIPWriter::finish() && {
  const std::uint64_t directoryOffset = offset();
  requireField(memberCount_, kMaxField16, "A ZIP archive holds more than 65,535 members.");
  requireField(directoryOffset, kMaxField32, "The ZIP archive is larger than 4 GB.");
  const std::size_t directorySize = centralDirectory_.size();
  requireField(directorySize, kMaxField32, "The ZIP central directory is larger than 4 GB.");
  Bytes& end = centralDirectory_;
  put32(end, kEndRecordSignature);
  put16(end, 0);  // this disk
  put16(end, 0);  // disk of the central directory
  put16(end, memberCount_);
  put16(end, memberCount_);
  put32(end, directorySize);
  put32(end, static_cast<std::size_t>(directoryOffset));
  put16(end, 0);  // comment length
  out_.write(end);
}

}  // namespace tamsel::zip
