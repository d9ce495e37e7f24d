#include "formats/zip/ReadAhead.h"

#include <algorithm>
#include <cstring>
#include <system_error>

namespace tamsel::zip {

ReadAhead::ReadAhead(MemberStream& stream) : stream_(stream) {
  // A stored member is a copy from memory, and a member of one piece at
  // most has no next piece: a thread would only cost its start.
  if (!stream.inflates() || stream.limit() - stream.produced() <= kPieceBytes) return;
  try {
    for (Piece& piece : pieces_) piece.bytes.reset(new std::uint8_t[kPieceBytes]);
    worker_ = std::thread(&ReadAhead::inflateAhead, this);
  } catch (const std::bad_alloc&) {
  } catch (const std::system_error&) {
  }
}

ReadAhead::~ReadAhead() {
  if (!worker_.joinable()) return;
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  emptied_.notify_one();
  worker_.join();
}

void ReadAhead::inflateAhead() {
  // The piece after the last one filled: never the one the caller takes
  // from while fewer than all pieces are ready.
  std::size_t tail = 0;
  for (;;) {
    {
      std::unique_lock lock(mutex_);
      emptied_.wait(lock, [this] { return stopping_ || ready_ < kPieces; });
      if (stopping_) return;
    }
    Piece& piece = pieces_[tail];
    piece.size = stream_.read(piece.bytes.get(), kPieceBytes);
    {
      std::lock_guard lock(mutex_);
      if (piece.size == 0) {
        ended_ = true;
      } else {
        ++ready_;
      }
    }
    filled_.notify_one();
    if (piece.size == 0) return;
    tail = (tail + 1) % kPieces;
  }
}

std::size_t ReadAhead::read(std::uint8_t* out, std::size_t capacity) {
  if (!worker_.joinable()) return stream_.read(out, capacity);
  if (capacity == 0) return 0;
  {
    std::unique_lock lock(mutex_);
    filled_.wait(lock, [this] { return ready_ > 0 || ended_; });
    if (ready_ == 0) return 0;
  }
  const Piece& piece = pieces_[head_];
  const std::size_t n = std::min(capacity, piece.size - taken_);
  std::memcpy(out, piece.bytes.get() + taken_, n);
  taken_ += n;
  if (taken_ == piece.size) {
    taken_ = 0;
    head_ = (head_ + 1) % kPieces;
    {
      std::lock_guard lock(mutex_);
      --ready_;
    }
    emptied_.notify_one();
  }
  return n;
}

}  // namespace tamsel::zip
