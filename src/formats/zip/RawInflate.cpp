#include "formats/zip/RawInflate.h"

#include <libdeflate.h>
#include <zlib.h>

#include <algorithm>
#include <limits>
#include <memory>
#include <new>

namespace tamsel::zip {
namespace {

struct DecompressorDeleter {
  void operator()(libdeflate_decompressor* d) const { libdeflate_free_decompressor(d); }
};

// Fills `out` with the first `capacity` bytes of the stream's output. Used
// only when the whole output does not fit: libdeflate gives no defined
// partial result, while inflate stops exactly where the buffer ends.
Expected<std::size_t, InflateError> inflatePrefix(ByteView in, std::uint8_t* out, std::size_t capacity) {
  z_stream stream{};
  if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) return unexpected(InflateError::outOfMemory);
  std::size_t consumed = 0;
  std::size_t written = 0;
  int status = Z_OK;
  while (written < capacity) {
    constexpr std::size_t kChunk = std::numeric_limits<uInt>::max();
    const std::size_t inChunk = std::min(in.size() - consumed, kChunk);
    const std::size_t outChunk = std::min(capacity - written, kChunk);
    stream.next_in = const_cast<Bytef*>(in.data() + consumed);
    stream.avail_in = static_cast<uInt>(inChunk);
    stream.next_out = out + written;
    stream.avail_out = static_cast<uInt>(outChunk);
    status = inflate(&stream, Z_NO_FLUSH);
    consumed += inChunk - stream.avail_in;
    written += outChunk - stream.avail_out;
    if (status == Z_STREAM_END) break;
    if (status != Z_OK) break;  // bad data, or input ran out before the buffer filled
  }
  inflateEnd(&stream);
  if (written < capacity && status != Z_STREAM_END) return unexpected(InflateError::badData);
  return written;
}

}  // namespace

std::uint64_t maxInflatedSize(std::uint64_t compressedSize) {
  constexpr std::uint64_t kDensest = 1032;
  if (compressedSize > std::numeric_limits<std::uint64_t>::max() / kDensest - 1) {
    return std::numeric_limits<std::uint64_t>::max();
  }
  // One spare match covers the bits of the final byte.
  return compressedSize * kDensest + 258;
}

namespace {

// A claim within this ratio of the compressed size is believable enough for
// the output to go straight into the result: real worksheets inflate about
// 5 to 15 times. Larger claims take the path below, which commits memory
// only as output is written, and pay for one copy.
constexpr std::size_t kDirectRatio = 32;

// libdeflate's result for a whole buffer; a stream longer than the buffer
// gives its first `capacity` bytes through zlib.
Expected<InflatedBytes, InflateError> inflateInto(ByteView compressed, Bytes&& out) {
  std::unique_ptr<libdeflate_decompressor, DecompressorDeleter> decompressor(libdeflate_alloc_decompressor());
  if (!decompressor) return unexpected(InflateError::outOfMemory);
  std::size_t written = 0;
  const libdeflate_result result = libdeflate_deflate_decompress(decompressor.get(), compressed.data(),
                                                                 compressed.size(), out.data(), out.size(), &written);
  InflatedBytes inflated;
  if (result == LIBDEFLATE_INSUFFICIENT_SPACE) {
    auto prefix = inflatePrefix(compressed, out.data(), out.size());
    if (!prefix) return unexpected(prefix.error());
    written = *prefix;
    inflated.complete = false;
  } else if (result != LIBDEFLATE_SUCCESS) {
    return unexpected(InflateError::badData);
  }
  out.resize(written);
  inflated.bytes = std::move(out);
  return inflated;
}

}  // namespace

Expected<InflatedBytes, InflateError> rawInflate(ByteView compressed, std::size_t capacity) {
  if (capacity != 0 && capacity / kDirectRatio <= compressed.size()) {
    Bytes out;
    try {
      out.resize(std::max<std::size_t>(capacity, 1));
    } catch (const std::bad_alloc&) {
      return unexpected(InflateError::outOfMemory);
    }
    return inflateInto(compressed, std::move(out));
  }

  // Default-initialised: pages of a large buffer are committed by the kernel
  // only where the decoder writes, so an inflated size claim costs no memory.
  std::unique_ptr<std::uint8_t[]> buffer(new (std::nothrow) std::uint8_t[std::max<std::size_t>(capacity, 1)]);
  if (!buffer) return unexpected(InflateError::outOfMemory);

  std::unique_ptr<libdeflate_decompressor, DecompressorDeleter> decompressor(libdeflate_alloc_decompressor());
  if (!decompressor) return unexpected(InflateError::outOfMemory);

  std::size_t consumed = 0;
  std::size_t written = 0;
  const libdeflate_result result = libdeflate_deflate_decompress_ex(
      decompressor.get(), compressed.data(), compressed.size(), buffer.get(), capacity, &consumed, &written);

  InflatedBytes inflated;
  if (result == LIBDEFLATE_INSUFFICIENT_SPACE) {
    auto prefix = inflatePrefix(compressed, buffer.get(), capacity);
    if (!prefix) return unexpected(prefix.error());
    written = *prefix;
    inflated.complete = false;
  } else if (result != LIBDEFLATE_SUCCESS) {
    return unexpected(InflateError::badData);
  }
  try {
    inflated.bytes.assign(buffer.get(), buffer.get() + written);
  } catch (const std::bad_alloc&) {
    return unexpected(InflateError::outOfMemory);
  }
  return inflated;
}

}  // namespace tamsel::zip
