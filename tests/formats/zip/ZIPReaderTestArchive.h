#pragma once

// Builds ZIP archives byte by byte for reader tests, including the odd shapes
// other writers produce (data descriptors, local headers that disagree with
// the central directory, false size claims).

#include <zlib.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/Bytes.h"

namespace tamsel::zipfixture {

inline Bytes rawDeflate(ByteView input, int level = Z_BEST_COMPRESSION) {
  z_stream stream{};
  deflateInit2(&stream, level, Z_DEFLATED, -MAX_WBITS, 9, Z_DEFAULT_STRATEGY);
  Bytes out(deflateBound(&stream, static_cast<uLong>(input.size())));
  stream.next_in = const_cast<Bytef*>(input.data());
  stream.avail_in = static_cast<uInt>(input.size());
  stream.next_out = out.data();
  stream.avail_out = static_cast<uInt>(out.size());
  deflate(&stream, Z_FINISH);
  out.resize(stream.total_out);
  deflateEnd(&stream);
  return out;
}

struct TestMember {
  std::string name;  // as stored, not necessarily UTF-8
  Bytes contents;    // uncompressed
  std::uint16_t method = 8;  // 8 is compressed here; any other value stores the bytes as they are
  std::optional<std::uint32_t> declaredSize;  // the central directory's uncompressed size
  bool dataDescriptor = false;  // local header without sizes, descriptor after the data
  std::string localName;        // the local header's name when it should differ
  std::string localExtra;
  std::optional<Bytes> rawBytes;  // written after the local header instead of the (compressed) contents
};

inline TestMember member(std::string name, std::string_view text, std::uint16_t method = 8) {
  TestMember m;
  m.name = std::move(name);
  m.contents.assign(text.begin(), text.end());
  m.method = method;
  return m;
}

struct TestArchive {
  TestArchive(std::vector<TestMember> members) : members(std::move(members)) {}

  std::vector<TestMember> members;
  std::string comment;
  std::optional<std::uint16_t> announcedCount;  // what the end record claims

  Bytes build() const {
    Bytes out;
    auto u16 = [&out](std::uint32_t v) {
      out.push_back(static_cast<std::uint8_t>(v));
      out.push_back(static_cast<std::uint8_t>(v >> 8));
    };
    auto u32 = [&](std::uint32_t v) {
      u16(v & 0xFFFF);
      u16(v >> 16);
    };
    auto text = [&out](std::string_view s) { out.insert(out.end(), s.begin(), s.end()); };

    std::vector<std::uint32_t> offsets;
    std::vector<Bytes> stored;
    for (const TestMember& m : members) {
      stored.push_back(m.rawBytes ? *m.rawBytes : m.method == 8 ? rawDeflate(m.contents) : m.contents);
      const Bytes& data = stored.back();
      const std::string& localName = m.localName.empty() ? m.name : m.localName;
      const auto crc = static_cast<std::uint32_t>(crc32(0, m.contents.data(), static_cast<uInt>(m.contents.size())));
      offsets.push_back(static_cast<std::uint32_t>(out.size()));
      u32(0x04034B50);
      u16(20);
      u16(m.dataDescriptor ? 8 : 0);
      u16(m.method);
      u32(0);
      u32(m.dataDescriptor ? 0 : crc);
      u32(m.dataDescriptor ? 0 : static_cast<std::uint32_t>(data.size()));
      u32(m.dataDescriptor ? 0 : static_cast<std::uint32_t>(m.contents.size()));
      u16(static_cast<std::uint32_t>(localName.size()));
      u16(static_cast<std::uint32_t>(m.localExtra.size()));
      text(localName);
      text(m.localExtra);
      out.insert(out.end(), data.begin(), data.end());
      if (m.dataDescriptor) {
        u32(0x08074B50);
        u32(crc);
        u32(static_cast<std::uint32_t>(data.size()));
        u32(static_cast<std::uint32_t>(m.contents.size()));
      }
    }
    const auto directoryOffset = static_cast<std::uint32_t>(out.size());
    for (std::size_t i = 0; i < members.size(); ++i) {
      const TestMember& m = members[i];
      u32(0x02014B50);
      u16(20);
      u16(20);
      u16(m.dataDescriptor ? 8 : 0);
      u16(m.method);
      u32(0);
      u32(static_cast<std::uint32_t>(crc32(0, m.contents.data(), static_cast<uInt>(m.contents.size()))));
      u32(static_cast<std::uint32_t>(stored[i].size()));
      u32(m.declaredSize.value_or(static_cast<std::uint32_t>(m.contents.size())));
      u16(static_cast<std::uint32_t>(m.name.size()));
      u16(0);
      u16(0);
      u16(0);
      u16(0);
      u32(0);
      u32(offsets[i]);
      text(m.name);
    }
    const auto directorySize = static_cast<std::uint32_t>(out.size()) - directoryOffset;
    const std::uint16_t count = announcedCount.value_or(static_cast<std::uint16_t>(members.size()));
    u32(0x06054B50);
    u16(0);
    u16(0);
    u16(count);
    u16(count);
    u32(directorySize);
    u32(directoryOffset);
    u16(static_cast<std::uint32_t>(std::min<std::size_t>(comment.size(), 0xFFFF)));
    text(comment);
    return out;
  }
};

}  // namespace tamsel::zipfixture
