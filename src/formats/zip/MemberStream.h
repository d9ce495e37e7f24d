#pragma once

// One archive member's contents a piece at a time, for a part too large to
// be worth holding whole: the bytes ZIPReader::extract gives, decoded as
// they are asked for. A DEFLATE stream found damaged part way, or one that
// yields nothing, makes the member unreadable only at that point: `failed`
// then says the bytes handed out are not the member's.

#include <cstddef>
#include <cstdint>
#include <memory>

#include "model/Bytes.h"

struct z_stream_s;

namespace tamsel::zip {

class MemberStream {
 public:
  // A stored member, viewed where it lies.
  static MemberStream stored(ByteView contents);
  // A DEFLATE member whose output is cut at `limit` bytes, as extract cuts it.
  static MemberStream deflated(ByteView compressed, std::uint64_t limit);

  MemberStream(MemberStream&&) noexcept;
  MemberStream& operator=(MemberStream&&) noexcept;
  ~MemberStream();

  // Copies the next bytes to `out`, at most `capacity`, and returns how many;
  // 0 only at the end (or once failed).
  std::size_t read(std::uint8_t* out, std::size_t capacity);
  bool failed() const { return failed_; }
  // Whether its bytes are decoded, not merely copied.
  bool inflates() const { return inflater_ != nullptr; }
  // The bytes handed out so far, and the most there can be.
  std::uint64_t produced() const { return produced_; }
  std::uint64_t limit() const { return produced_ + remaining_; }

 private:
  MemberStream() = default;

  ByteView input_;
  std::unique_ptr<z_stream_s> inflater_;  // null for a stored member; never moves, as zlib requires
  std::uint64_t remaining_ = 0;           // of the output allowed
  std::uint64_t produced_ = 0;
  bool ended_ = false;
  bool failed_ = false;
};

}  // namespace tamsel::zip
