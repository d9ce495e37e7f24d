#include "model/ByteSink.h"

namespace tamsel {

ByteSink::ByteSink(std::size_t blockSize) : block_(new std::uint8_t[blockSize]), capacity_(blockSize) {}

void ByteSink::flush() {
  if (used_ == 0) return;
  drain(ByteView(block_.get(), used_));
  drained_ += used_;
  used_ = 0;
}

void ByteSink::writeBeyondBlock(ByteView bytes) {
  const std::size_t room = capacity_ - used_;
  std::memcpy(block_.get() + used_, bytes.data(), room);
  used_ = capacity_;
  flush();
  bytes = bytes.subspan(room);
  // What fills whole blocks goes on without a copy.
  if (bytes.size() >= capacity_) {
    drain(bytes);
    drained_ += bytes.size();
    return;
  }
  std::memcpy(block_.get(), bytes.data(), bytes.size());
  used_ = bytes.size();
}

}  // namespace tamsel
