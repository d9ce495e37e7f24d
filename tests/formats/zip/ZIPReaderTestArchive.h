#pragma once

// Builds ZIP archives byte by byte for reader tests, including the odd shapes
// other writers produce (data descriptors, local headers that disagree with
// the central directory, false size claims).

#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/Bytes.h"

namespace tamsel::zipfixture {

// With Z_FULL_FLUSH the blocks stand alone, unfinished, for a test to repeat.
inline Bytes rawDeflate(ByteView input, int level = Z_BEST_COMPRESSION, int flush = Z_FINISH) {
  z_stream stream{};
  deflateInit2(&stream, level, Z_DEFLATED, -MAX_WBITS, 9, Z_DEFAULT_STRATEGY);
  Bytes out(deflateBound(&stream, static_cast<uLong>(input.size())) + 64);
  stream.next_in = const_cast<Bytef*>(input.data());
  stream.avail_in = static_cast<uInt>(input.size());
  stream.next_out = out.data();
  stream.avail_out = static_cast<uInt>(out.size());
  deflate(&stream, flush);
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
    // Little-endian fields: each value is written in `width` bytes.
    auto put = [&out](int width, std::initializer_list<std::size_t> values) {
      for (std::size_t v : values) {
        for (int i = 0; i < width; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
      }
    };
    auto text = [&out](std::string_view s) { out.insert(out.end(), s.begin(), s.end()); };

    std::vector<std::size_t> offsets;
    std::vector<Bytes> stored;
    for (const TestMember& m : members) {
      stored.push_back(m.rawBytes ? *m.rawBytes : m.method == 8 ? rawDeflate(m.contents) : m.contents);
      const std::size_t size = stored.back().size(), crc = crcOf(m), flag = m.dataDescriptor ? 8 : 0;
      const std::string& localName = m.localName.empty() ? m.name : m.localName;
      offsets.push_back(out.size());
      put(4, {0x04034B50}), put(2, {20, flag, m.method});
      put(4, {0, flag ? 0 : crc, flag ? 0 : size, flag ? 0 : m.contents.size()});
      put(2, {localName.size(), m.localExtra.size()});
      text(localName), text(m.localExtra);
      out.insert(out.end(), stored.back().begin(), stored.back().end());
      if (flag) put(4, {0x08074B50, crc, size, m.contents.size()});
    }
    const std::size_t directoryOffset = out.size();
    for (std::size_t i = 0; i < members.size(); ++i) {
      const TestMember& m = members[i];
      put(4, {0x02014B50}), put(2, {20, 20, m.dataDescriptor ? 8u : 0u, m.method});
      put(4, {0, crcOf(m), stored[i].size(), m.declaredSize.value_or(static_cast<std::uint32_t>(m.contents.size()))});
      put(2, {m.name.size(), 0, 0, 0, 0}), put(4, {0, offsets[i]});
      text(m.name);
    }
    const std::size_t count = announcedCount.value_or(static_cast<std::uint16_t>(members.size()));
    put(4, {0x06054B50}), put(2, {0, 0, count, count}), put(4, {out.size() - directoryOffset, directoryOffset});
    put(2, {std::min<std::size_t>(comment.size(), 0xFFFF)});
    text(comment);
    return out;
  }

 private:
  static std::size_t crcOf(const TestMember& m) {
    return crc32(0, m.contents.data(), static_cast<uInt>(m.contents.size()));
  }
};

}  // namespace tamsel::zipfixture
