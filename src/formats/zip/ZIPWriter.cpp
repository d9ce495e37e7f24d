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

void requireField(std::size_t value, std::size_t limit, const char* what) {
  if (value > limit) throw std::length_error(what);
}

}  // namespace

std::uint32_t ZIPWriter::crc32(ByteView bytes) {
  // libdeflate's CRC (carry-less multiplication where the processor has it)
  // gives the same values as the bitwise definition, several times faster.
  return libdeflate_crc32(0, bytes.data(), bytes.size());
}

ZIPWriter::ZIPWriter(std::size_t expectedSize) { archive_.reserve(expectedSize); }

void ZIPWriter::addMember(std::string_view name, ByteView contents) {
  beginMember(name);
  archive_.insert(archive_.end(), contents.begin(), contents.end());
  endMember();
}

void ZIPWriter::beginMember(std::string_view name) {
  requireField(name.size(), kMaxField16, "A ZIP member name is longer than 65,535 bytes.");
  requireField(archive_.size(), kMaxField32, "The ZIP archive is larger than 4 GB.");
  openHeaderOffset_ = archive_.size();
  put32(archive_, kLocalHeaderSignature);
  put16(archive_, kVersion);
  put16(archive_, 0);  // flags
  put16(archive_, kMethodStored);
  put16(archive_, 0);  // time
  put16(archive_, 0);  // date
  put32(archive_, 0);  // CRC-32, patched by endMember
  put32(archive_, 0);  // compressed size, patched
  put32(archive_, 0);  // uncompressed size, patched
  put16(archive_, name.size());
  put16(archive_, 0);  // extra field length
  const ByteView nameBytes = asBytes(name);
  archive_.insert(archive_.end(), nameBytes.begin(), nameBytes.end());
  openDataOffset_ = archive_.size();
}

void ZIPWriter::endMember() {
  const std::size_t size = archive_.size() - openDataOffset_;
  requireField(size, kMaxField32, "A ZIP member is larger than 4 GB.");
  const std::uint32_t crc = crc32(ByteView(archive_).subspan(openDataOffset_, size));
  le::storeU32(archive_, openHeaderOffset_ + 14, crc);
  le::storeU32(archive_, openHeaderOffset_ + 18, static_cast<std::uint32_t>(size));
  le::storeU32(archive_, openHeaderOffset_ + 22, static_cast<std::uint32_t>(size));

  const std::size_t nameSize = openDataOffset_ - openHeaderOffset_ - kLocalHeaderSize;
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
  put16(cd, nameSize);
  put16(cd, 0);  // extra field length
  put16(cd, 0);  // comment length
  put16(cd, 0);  // disk number start
  put16(cd, 0);  // internal attributes
  put32(cd, 0);  // external attributes
  put32(cd, openHeaderOffset_);
  const auto name = archive_.begin() + static_cast<std::ptrdiff_t>(openHeaderOffset_ + kLocalHeaderSize);
  cd.insert(cd.end(), name, name + static_cast<std::ptrdiff_t>(nameSize));
  ++memberCount_;
}

Bytes ZIPWriter::finish() && {
  const std::size_t directoryOffset = archive_.size();
  requireField(memberCount_, kMaxField16, "A ZIP archive holds more than 65,535 members.");
  requireField(directoryOffset, kMaxField32, "The ZIP archive is larger than 4 GB.");
  requireField(centralDirectory_.size(), kMaxField32, "The ZIP central directory is larger than 4 GB.");
  archive_.insert(archive_.end(), centralDirectory_.begin(), centralDirectory_.end());
  put32(archive_, kEndRecordSignature);
  put16(archive_, 0);  // this disk
  put16(archive_, 0);  // disk of the central directory
  put16(archive_, memberCount_);
  put16(archive_, memberCount_);
  put32(archive_, centralDirectory_.size());
  put32(archive_, directoryOffset);
  put16(archive_, 0);  // comment length
  return std::move(archive_);
}

}  // namespace tamsel::zip
