#pragma once

// A DEFLATE member inflated a few pieces ahead on a second thread, while the
// caller works on the piece before: inflating a large part and parsing it no
// longer take turns. The caller sees the stream's bytes in the same order,
// ending where the stream's own reads end (early, when it fails part way).
// Where no thread can be started, or the member is stored or no larger than
// a piece, reads go to the stream directly.

#include <array>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>

#include "formats/zip/MemberStream.h"

namespace tamsel::zip {

class ReadAhead {
 public:
  explicit ReadAhead(MemberStream& stream);
  ReadAhead(const ReadAhead&) = delete;
  ReadAhead& operator=(const ReadAhead&) = delete;
  // Stops reading ahead. The stream then stands after the last piece read
  // ahead, which the caller may not have taken: read it on only to learn
  // its size or whether it fails.
  ~ReadAhead();

  // As MemberStream::read: the next bytes, at most `capacity`; 0 at the end.
  std::size_t read(std::uint8_t* out, std::size_t capacity);

 private:
  static constexpr std::size_t kPieces = 4;
  static constexpr std::size_t kPieceBytes = std::size_t{256} << 10;

  struct Piece {
    std::unique_ptr<std::uint8_t[]> bytes;
    std::size_t size = 0;
  };

  void inflateAhead();

  MemberStream& stream_;
  std::array<Piece, kPieces> pieces_;
  std::mutex mutex_;
  std::condition_variable filled_, emptied_;
  // Guarded by the mutex: how many pieces are filled and not yet all taken,
  // whether the stream has ended, whether the worker is to stop.
  std::size_t ready_ = 0;
  bool ended_ = false;
  bool stopping_ = false;
  // The caller's alone: the piece it takes from, and how far.
  std::size_t head_ = 0;
  std::size_t taken_ = 0;
  std::thread worker_;
};

}  // namespace tamsel::zip
