#include "formats/zip/MemberStream.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <limits>

namespace tamsel::zip {

MemberStream MemberStream::stored(ByteView contents) {
  MemberStream stream;
  stream.input_ = contents;
  stream.remaining_ = contents.size();
  return stream;
}

MemberStream MemberStream::deflated(ByteView compressed, std::uint64_t limit) {
  MemberStream stream;
  stream.input_ = compressed;
  stream.remaining_ = limit;
  stream.inflater_ = std::make_unique<z_stream>();
  if (inflateInit2(stream.inflater_.get(), -MAX_WBITS) != Z_OK) {
    stream.inflater_.reset();
    stream.failed_ = stream.ended_ = true;
  }
  return stream;
}

MemberStream::MemberStream(MemberStream&&) noexcept = default;
MemberStream& MemberStream::operator=(MemberStream&& other) noexcept {
  if (this != &other) {
    if (inflater_) inflateEnd(inflater_.get());
    input_ = other.input_;
    inflater_ = std::move(other.inflater_);
    remaining_ = other.remaining_;
    produced_ = other.produced_;
    ended_ = other.ended_;
    failed_ = other.failed_;
  }
  return *this;
}

MemberStream::~MemberStream() {
  if (inflater_) inflateEnd(inflater_.get());
}

std::size_t MemberStream::read(std::uint8_t* out, std::size_t capacity) {
  if (ended_ || capacity == 0) return 0;
  const std::size_t wanted = static_cast<std::size_t>(std::min<std::uint64_t>(capacity, remaining_));
  std::size_t written = 0;
  if (!inflater_) {
    // An empty member's view may have no data at all to copy from.
    if (wanted > 0) std::memcpy(out, input_.data() + produced_, wanted);
    written = wanted;
  } else {
    z_stream& z = *inflater_;
    constexpr std::size_t kChunk = std::numeric_limits<uInt>::max();
    while (written < wanted) {
      const std::size_t inChunk = std::min(input_.size(), kChunk);
      const std::size_t outChunk = std::min(wanted - written, kChunk);
      z.next_in = const_cast<Bytef*>(input_.data());
      z.avail_in = static_cast<uInt>(inChunk);
      z.next_out = out + written;
      z.avail_out = static_cast<uInt>(outChunk);
      const int status = inflate(&z, Z_NO_FLUSH);
      input_ = input_.subspan(inChunk - z.avail_in);
      written += outChunk - z.avail_out;
      if (status == Z_STREAM_END) {
        ended_ = true;
        break;
      }
      // Bad data, or the input ran out before the stream's end.
      if (status != Z_OK) {
        failed_ = ended_ = true;
        return 0;
      }
    }
  }
  remaining_ -= written;
  produced_ += written;
  if (remaining_ == 0) ended_ = true;
  // A DEFLATE member that yields nothing is not read at all.
  if (ended_ && inflater_ && produced_ == 0) failed_ = true;
  return written;
}

}  // namespace tamsel::zip
