#pragma once

// Builders for byte-level tests: little-endian fields, BIFF record streams,
// and small compound documents.

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "model/Bytes.h"
#include "model/LittleEndian.h"

namespace tamsel::testing {

inline void putBytes(Bytes& out, std::initializer_list<int> bytes) {
  for (int b : bytes) out.push_back(std::uint8_t(b));
}
inline Bytes cat(Bytes a, const Bytes& b) { return a.insert(a.end(), b.begin(), b.end()), a; }

// Row, column and format index: the start of every cell record.
inline Bytes cellHeader(std::uint16_t row, std::uint16_t column) {
  Bytes body;
  le::appendU16(body, row), le::appendU16(body, column), le::appendU16(body, 15);
  return body;
}

// A BIFF8 string of 1-byte characters: count, flags 0, characters.
inline Bytes compressedString(const std::string& text) {
  Bytes out;
  le::appendU16(out, std::uint16_t(text.size()));
  out.push_back(0);
  return cat(out, Bytes(text.begin(), text.end()));
}

class BIFFBuilder {
 public:
  BIFFBuilder& record(std::uint16_t type, const Bytes& body) {
    le::appendU16(bytes_, type), le::appendU16(bytes_, std::uint16_t(body.size()));
    bytes_ = cat(bytes_, body);
    return *this;
  }
  BIFFBuilder& bof(std::uint16_t substream, std::uint16_t version = 0x0600) {
    Bytes body;
    le::appendU16(body, version), le::appendU16(body, substream), le::appendU32(body, 0), le::appendU32(body, 0), le::appendU32(body, 0);
    return record(0x0809, body);
  }
  BIFFBuilder& eof() { return record(0x000A, {}); }
  BIFFBuilder& label(std::uint16_t row, std::uint16_t column, const std::string& text) {
    return record(0x0204, cat(cellHeader(row, column), compressedString(text)));
  }
  BIFFBuilder& number(std::uint16_t row, std::uint16_t column, double value) {
    Bytes body = cellHeader(row, column);
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    le::appendU32(body, std::uint32_t(bits)), le::appendU32(body, std::uint32_t(bits >> 32));
    return record(0x0203, body);
  }
  // A BOUNDSHEET entry; its BOF position is set later by pointSheetHere.
  // Without a name, the entry's name field is cut short (no flags byte).
  BIFFBuilder& boundSheet(std::uint8_t sheetType, std::size_t* entry, std::string_view name = {}) {
    *entry = bytes_.size();
    if (name.empty()) return record(0x0085, {0, 0, 0, 0, 0, sheetType, 1, 'S'});
    Bytes body{0, 0, 0, 0, 0, sheetType, static_cast<std::uint8_t>(name.size()), 0};
    body.insert(body.end(), name.begin(), name.end());
    return record(0x0085, body);
  }
  BIFFBuilder& pointSheetHere(std::size_t entry) {
    le::storeU32(bytes_, entry + 4, std::uint32_t(bytes_.size()));
    return *this;
  }
  const Bytes& bytes() const { return bytes_; }

 private:
  Bytes bytes_;
};

// A compound document with 512-byte sectors: the FAT in sector 0 (so at most
// 128 sectors), then the mini stream, the streams, the mini FAT and the
// directory (root entry first). Streams below 4096 bytes go into the mini
// stream. The FAT entry of sector n lies at 512 + 4n.
class CompoundFileBuilder {
 public:
  CompoundFileBuilder& stream(std::string name, Bytes data) {
    streams_.emplace_back(std::move(name), std::move(data));
    return *this;
  }

  struct Layout {
    Bytes file;
    std::vector<std::int32_t> starts;  // per stream: its first sector or mini sector
    std::int32_t miniFatSector = -2;
    std::int32_t directorySector = -2;
  };

  Layout build() const {
    Layout out;
    std::vector<Bytes> sectors(1);
    std::vector<std::int32_t> fat{-3};
    // Appends `data` cut into `unit`-byte pieces chained in `table`.
    auto chain = [](std::vector<Bytes>& units, std::vector<std::int32_t>& table, const Bytes& data,
                    std::size_t unit) -> std::int32_t {
      if (data.empty()) return -2;
      auto start = std::int32_t(units.size());
      for (std::size_t at = 0; at < data.size(); at += unit) {
        units.emplace_back(data.begin() + at, data.begin() + std::min(data.size(), at + unit)).resize(unit);
        table.push_back(std::int32_t(units.size()));
      }
      table.back() = -2;
      return start;
    };
    std::vector<Bytes> miniUnits;
    std::vector<std::int32_t> miniFat;
    for (const auto& [name, data] : streams_) {
      out.starts.push_back(data.size() < 4096 ? chain(miniUnits, miniFat, data, 64) : -1);
    }
    Bytes mini;
    for (const Bytes& unit : miniUnits) mini = cat(mini, unit);
    std::int32_t miniStart = chain(sectors, fat, mini, 512);
    for (std::size_t i = 0; i < streams_.size(); ++i) {
      if (out.starts[i] == -1) out.starts[i] = chain(sectors, fat, streams_[i].second, 512);
    }
    Bytes miniFatBytes;
    for (std::int32_t v : miniFat) le::appendU32(miniFatBytes, std::uint32_t(v));
    out.miniFatSector = chain(sectors, fat, miniFatBytes, 512);
    Bytes directory = entry("Root Entry", 5, miniStart, std::uint32_t(mini.size()));
    for (std::size_t i = 0; i < streams_.size(); ++i) {
      directory = cat(directory, entry(streams_[i].first, 2, out.starts[i], std::uint32_t(streams_[i].second.size())));
    }
    out.directorySector = chain(sectors, fat, directory, 512);

    out.file = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    out.file.resize(24);
    le::appendU16(out.file, 0x3E), le::appendU16(out.file, 3), le::appendU16(out.file, 0xFFFE), le::appendU16(out.file, 9), le::appendU16(out.file, 6);
    out.file.resize(44);
    le::appendU32(out.file, 1), le::appendU32(out.file, std::uint32_t(out.directorySector)), le::appendU32(out.file, 0);
    le::appendU32(out.file, 4096), le::appendU32(out.file, std::uint32_t(out.miniFatSector)), le::appendU32(out.file, 1);
    le::appendU32(out.file, 0xFFFFFFFE), le::appendU32(out.file, 0), le::appendU32(out.file, 0);  // no DIFAT; the FAT is sector 0
    out.file.resize(512, 0xFF);
    fat.resize(128, -1);
    for (std::int32_t v : fat) le::appendU32(sectors[0], std::uint32_t(v));
    for (const Bytes& sector : sectors) out.file = cat(out.file, sector);
    return out;
  }

 private:
  static Bytes entry(const std::string& name, std::uint8_t type, std::int32_t start, std::uint32_t size) {
    Bytes e;
    for (char c : name) le::appendU16(e, std::uint8_t(c));
    e.resize(64);
    le::appendU16(e, std::uint16_t(2 * name.size() + 2));
    e.push_back(type);
    e.resize(116, 0xFF);  // no siblings or children
    le::appendU32(e, std::uint32_t(start)), le::appendU32(e, size), le::appendU32(e, 0);
    return e;
  }

  std::vector<std::pair<std::string, Bytes>> streams_;
};

}  // namespace tamsel::testing
