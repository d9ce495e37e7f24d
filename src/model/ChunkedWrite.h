#pragma once

// Output made of one piece per item, formatted on two threads. The items go
// in chunks: a second thread formats every other chunk into a buffer of its
// own while the caller's thread formats the chunk before it straight into the
// sink and then passes the buffer on. The sink gets the bytes in order, as
// one thread would have written them, and holds no more than two chunks'
// buffers besides. A short list, or a machine where no thread can start, is
// written on the caller's thread alone.

#include <cstddef>
#include <functional>

#include "model/ByteSink.h"

namespace tamsel {

// Writes the pieces of items [begin, end) into `out`; called from either
// thread, for ranges that never overlap, so it may only read what it shares.
using RangeWriter = std::function<void(std::size_t begin, std::size_t end, ByteSink& out)>;

// What `write` gives for [0, count), in order. What `write` throws on the
// second thread is thrown again here.
void writeInChunks(std::size_t count, ByteSink& out, const RangeWriter& write);

}  // namespace tamsel
