#pragma once

// Builders for byte-level tests: little-endian fields, BIFF record streams,
// and small compound documents with regular and mini-stream streams.

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "model/Bytes.h"

namespace tamsel::testing {

inline void put16(Bytes& out, std::uint16_t value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}

inline void put32(Bytes& out, std::uint32_t value) {
  put16(out, static_cast<std::uint16_t>(value));
  put16(out, static_cast<std::uint16_t>(value >> 16));
}

inline void set32(Bytes& out, std::size_t offset, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

inline void putBytes(Bytes& out, std::initializer_list<int> bytes) {
  for (int b : bytes) out.push_back(static_cast<std::uint8_t>(b));
}

inline void putText(Bytes& out, const std::string& text) { out.insert(out.end(), text.begin(), text.end()); }

// The row, column and format index that begin every cell record.
inline Bytes cellHeader(std::uint16_t row, std::uint16_t column) {
  Bytes body;
  put16(body, row);
  put16(body, column);
  put16(body, 15);
  return body;
}

// A BIFF8 string with 1-byte characters: count, flags 0, characters.
inline Bytes compressedString(const std::string& text) {
  Bytes out;
  put16(out, static_cast<std::uint16_t>(text.size()));
  out.push_back(0);
  putText(out, text);
  return out;
}

class BIFFBuilder {
 public:
  BIFFBuilder& record(std::uint16_t type, const Bytes& body) {
    put16(bytes_, type);
    put16(bytes_, static_cast<std::uint16_t>(body.size()));
    bytes_.insert(bytes_.end(), body.begin(), body.end());
    return *this;
  }
  BIFFBuilder& bof(std::uint16_t substream, std::uint16_t version = 0x0600) {
    Bytes body;
    put16(body, version);
    put16(body, substream);
    put32(body, 0);
    put32(body, 0);
    put32(body, 0);
    return record(0x0809, body);
  }
  BIFFBuilder& eof() { return record(0x000A, {}); }
  BIFFBuilder& label(std::uint16_t row, std::uint16_t column, const std::string& text) {
    Bytes body = cellHeader(row, column);
    Bytes str = compressedString(text);
    body.insert(body.end(), str.begin(), str.end());
    return record(0x0204, body);
  }
  BIFFBuilder& number(std::uint16_t row, std::uint16_t column, double value) {
    Bytes body = cellHeader(row, column);
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    put32(body, static_cast<std::uint32_t>(bits));
    put32(body, static_cast<std::uint32_t>(bits >> 32));
    return record(0x0203, body);
  }
  // A BOUNDSHEET record whose BOF position is patched later with setSheetOffset.
  BIFFBuilder& boundSheet(std::uint8_t sheetType, std::size_t* recordOffset) {
    *recordOffset = bytes_.size();
    Bytes body;
    put32(body, 0);
    body.push_back(0);
    body.push_back(sheetType);
    Bytes name = compressedString("S");
    name.erase(name.begin() + 1);  // BOUNDSHEET names have an 8-bit count
    body.insert(body.end(), name.begin(), name.end());
    return record(0x0085, body);
  }
  void setSheetOffset(std::size_t boundSheetOffset, std::size_t bofOffset) {
    set32(bytes_, boundSheetOffset + 4, static_cast<std::uint32_t>(bofOffset));
  }
  std::size_t size() const { return bytes_.size(); }
  const Bytes& bytes() const { return bytes_; }

 private:
  Bytes bytes_;
};

// Writes a compound document with 512-byte sectors: the FAT in sector 0 (so
// at most 128 sectors), then the mini stream, the streams, the mini FAT and
// the directory. Streams below 4096 bytes go into the mini stream unless
// `useMiniStream` is false. The FAT entry of sector n lies at 512 + 4n.
class CompoundFileBuilder {
 public:
  CompoundFileBuilder& stream(std::string name, Bytes data) {
    streams_.push_back({std::move(name), std::move(data)});
    return *this;
  }
  CompoundFileBuilder& useMiniStream(bool use) {
    useMini_ = use;
    return *this;
  }

  struct Layout {
    Bytes file;
    std::vector<std::int32_t> startSectors;  // per stream, regular or mini
    std::int32_t directorySector = -2;
  };

  Layout build() const {
    Layout layout;
    std::vector<Bytes> sectors(1);  // sector 0: the FAT
    std::vector<std::int32_t> fat{-3};
    auto allocate = [&](const Bytes& data) -> std::int32_t {
      if (data.empty()) return -2;
      auto start = static_cast<std::int32_t>(sectors.size());
      for (std::size_t at = 0; at < data.size(); at += 512) {
        Bytes sector(data.begin() + at, data.begin() + std::min(data.size(), at + 512));
        sector.resize(512);
        sectors.push_back(sector);
        fat.push_back(static_cast<std::int32_t>(sectors.size()));
      }
      fat.back() = -2;
      return start;
    };

    Bytes mini;
    std::vector<std::int32_t> miniFat;
    for (const auto& [name, data] : streams_) {
      if (!useMini_ || data.size() >= 4096) {
        layout.startSectors.push_back(-1);  // filled below
        continue;
      }
      auto start = static_cast<std::int32_t>(miniFat.size());
      for (std::size_t at = 0; at < data.size(); at += 64) {
        Bytes unit(data.begin() + at, data.begin() + std::min(data.size(), at + 64));
        unit.resize(64);
        mini.insert(mini.end(), unit.begin(), unit.end());
        miniFat.push_back(static_cast<std::int32_t>(miniFat.size() + 1));
      }
      miniFat.back() = -2;
      layout.startSectors.push_back(start);
    }
    std::int32_t miniStart = allocate(mini);
    for (std::size_t i = 0; i < streams_.size(); ++i) {
      if (layout.startSectors[i] == -1) layout.startSectors[i] = allocate(streams_[i].second);
    }
    Bytes miniFatBytes;
    for (std::int32_t v : miniFat) put32(miniFatBytes, static_cast<std::uint32_t>(v));
    std::int32_t miniFatStart = allocate(miniFatBytes);

    Bytes directory = entry("Root Entry", 5, miniStart, static_cast<std::uint32_t>(mini.size()));
    for (std::size_t i = 0; i < streams_.size(); ++i) {
      Bytes e = entry(streams_[i].first, 2, layout.startSectors[i],
                      static_cast<std::uint32_t>(streams_[i].second.size()));
      directory.insert(directory.end(), e.begin(), e.end());
    }
    layout.directorySector = allocate(directory);

    Bytes header{0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    header.resize(24);
    put16(header, 0x3E);
    put16(header, 3);
    put16(header, 0xFFFE);
    put16(header, 9);
    put16(header, 6);
    header.resize(44);
    put32(header, 1);  // FAT sectors
    put32(header, static_cast<std::uint32_t>(layout.directorySector));
    put32(header, 0);
    put32(header, 4096);
    put32(header, static_cast<std::uint32_t>(miniFatStart));
    put32(header, static_cast<std::uint32_t>(miniFat.size() + 15) / 16);
    put32(header, 0xFFFFFFFE);  // no DIFAT sectors
    put32(header, 0);
    put32(header, 0);  // the FAT is sector 0
    while (header.size() < 512) put32(header, 0xFFFFFFFF);

    fat.resize(128, -1);
    sectors[0].clear();
    for (std::int32_t v : fat) put32(sectors[0], static_cast<std::uint32_t>(v));
    layout.file = header;
    for (const Bytes& sector : sectors) layout.file.insert(layout.file.end(), sector.begin(), sector.end());
    return layout;
  }

  Bytes bytes() const { return build().file; }

 private:
  static Bytes entry(const std::string& name, std::uint8_t type, std::int32_t start, std::uint32_t size) {
    Bytes e;
    for (char c : name) put16(e, static_cast<std::uint8_t>(c));
    put16(e, 0);
    e.resize(64);
    put16(e, static_cast<std::uint16_t>(2 * name.size() + 2));
    e.push_back(type);
    e.push_back(1);
    put32(e, 0xFFFFFFFF);
    put32(e, 0xFFFFFFFF);
    put32(e, 0xFFFFFFFF);
    e.resize(116);
    put32(e, static_cast<std::uint32_t>(start));
    put32(e, size);
    put32(e, 0);
    return e;
  }

  std::vector<std::pair<std::string, Bytes>> streams_;
  bool useMini_ = true;
};

}  // namespace tamsel::testing
