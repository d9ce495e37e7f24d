#pragma once

// Where a writer puts a file's bytes, a piece at a time. Pieces gather in a
// block that goes on to the destination whenever it fills, so a writer may
// hand over single characters at the cost of a copy, and a file of any size
// needs no more memory than one block.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>

#include "model/Bytes.h"

namespace tamsel {

class ByteSink {
 public:
  ByteSink(const ByteSink&) = delete;
  ByteSink& operator=(const ByteSink&) = delete;
  virtual ~ByteSink() = default;

  void write(ByteView bytes) {
    const std::size_t room = capacity_ - used_;
    if (bytes.size() <= 32 && room >= 32) {
      // Fields are mostly short: copied with two fixed-size moves that may
      // overlap, instead of a call.
      copyShort(block_.get() + used_, bytes.data(), bytes.size());
      used_ += bytes.size();
    } else if (bytes.size() <= room) {
      if (!bytes.empty()) std::memcpy(block_.get() + used_, bytes.data(), bytes.size());
      used_ += bytes.size();
    } else {
      writeBeyondBlock(bytes);
    }
  }
  void write(std::string_view text) { write(asBytes(text)); }
  void put(char c) {
    if (used_ == capacity_) flush();
    block_[used_++] = static_cast<std::uint8_t>(c);
  }

  // How many bytes have been written so far.
  std::uint64_t position() const { return drained_ + used_; }

  // Passes the gathered bytes on; owners call it once the writer is done.
  void flush();

 protected:
  explicit ByteSink(std::size_t blockSize);

  // Takes the next bytes of the output, in order.
  virtual void drain(ByteView bytes) = 0;

 private:
  void writeBeyondBlock(ByteView bytes);
  static void copyShort(std::uint8_t* to, const std::uint8_t* from, std::size_t size) {
    if (size >= 16) {
      std::memcpy(to, from, 16);
      std::memcpy(to + size - 16, from + size - 16, 16);
    } else if (size >= 8) {
      std::memcpy(to, from, 8);
      std::memcpy(to + size - 8, from + size - 8, 8);
    } else if (size >= 4) {
      std::memcpy(to, from, 4);
      std::memcpy(to + size - 4, from + size - 4, 4);
    } else {
      for (std::size_t i = 0; i < size; ++i) to[i] = from[i];
    }
  }

  std::unique_ptr<std::uint8_t[]> block_;
  std::size_t capacity_;
  std::size_t used_ = 0;
  std::uint64_t drained_ = 0;
};

// Gathers everything in memory, for those who need the whole file's bytes.
class MemorySink final : public ByteSink {
 public:
  MemorySink() : ByteSink(kBlockSize) {}
  // Everything written; the sink is spent.
  Bytes bytes() && {
    flush();
    return std::move(bytes_);
  }

 private:
  static constexpr std::size_t kBlockSize = 64 << 10;
  void drain(ByteView bytes) override { bytes_.insert(bytes_.end(), bytes.begin(), bytes.end()); }

  Bytes bytes_;
};

}  // namespace tamsel
