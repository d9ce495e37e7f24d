#pragma once

// Decoding of one raw DEFLATE stream (RFC 1951: no zlib header, no checksum),
// kept apart from the archive walk so that a streaming decoder can take its
// place without touching the callers.

#include <cstddef>
#include <cstdint>

#include "model/Bytes.h"
#include "model/Expected.h"

namespace tamsel::zip {

struct InflatedBytes {
  Bytes bytes;
  // False when the stream holds more than the capacity allowed; `bytes` then
  // holds exactly the first `capacity` bytes of the output.
  bool complete = true;
};

enum class InflateError {
  badData,      // not a valid DEFLATE stream, or cut short
  outOfMemory,  // the output buffer could not be allocated
};

// The most output DEFLATE can produce from `compressedSize` bytes: one
// length-258 match coded in two bits is the densest form (about 1032 to 1).
std::uint64_t maxInflatedSize(std::uint64_t compressedSize);

// Decodes `compressed` into at most `capacity` bytes. Memory is committed only
// as output is written, so a generous capacity costs nothing it does not use.
Expected<InflatedBytes, InflateError> rawInflate(ByteView compressed, std::size_t capacity);

}  // namespace tamsel::zip
