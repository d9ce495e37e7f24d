#include "model/ChunkedWrite.h"

#include <algorithm>
#include <array>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>

namespace tamsel {
namespace {

// Enough items that handing a chunk over costs next to nothing, few enough
// that its buffer stays small beside the list.
constexpr std::size_t kChunkItems = 4096;

// A chunk's bytes, kept for the next chunk once passed on.
class ChunkBuffer final : public ByteSink {
 public:
  ChunkBuffer() : ByteSink(kBlockSize) {}
  ByteView bytes() {
    flush();
    return bytes_;
  }
  void clear() { bytes_.clear(); }

 private:
  static constexpr std::size_t kBlockSize = 64 << 10;
  void drain(ByteView bytes) override { bytes_.insert(bytes_.end(), bytes.begin(), bytes.end()); }
  Bytes bytes_;
};

// The second thread's half: chunks 1, 3, 5, ... into the two buffers in turn.
class SecondLane {
 public:
  SecondLane(std::size_t count, const RangeWriter& write) : count_(count), write_(write) {
    worker_ = std::thread(&SecondLane::run, this);
  }
  SecondLane(const SecondLane&) = delete;
  SecondLane& operator=(const SecondLane&) = delete;
  ~SecondLane() {
    {
      std::lock_guard lock(mutex_);
      stopping_ = true;
    }
    emptied_.notify_one();
    worker_.join();
  }

  // Waits for the chunk in `slot` and writes it into `out`; throws what the
  // second thread threw.
  void passOn(std::size_t slot, ByteSink& out) {
    {
      std::unique_lock lock(mutex_);
      filled_.wait(lock, [&] { return full_[slot]; });
      if (thrown_) std::rethrow_exception(thrown_);
    }
    out.write(buffers_[slot].bytes());
    buffers_[slot].clear();
    {
      std::lock_guard lock(mutex_);
      full_[slot] = false;
    }
    emptied_.notify_one();
  }

 private:
  void run() {
    std::size_t slot = 0;
    for (std::size_t begin = kChunkItems; begin < count_; begin += 2 * kChunkItems, slot ^= 1) {
      {
        std::unique_lock lock(mutex_);
        emptied_.wait(lock, [&] { return stopping_ || !full_[slot]; });
        if (stopping_) return;
      }
      std::exception_ptr thrown;
      try {
        write_(begin, std::min(begin + kChunkItems, count_), buffers_[slot]);
        buffers_[slot].bytes();
      } catch (...) {
        thrown = std::current_exception();
      }
      {
        std::lock_guard lock(mutex_);
        full_[slot] = true;
        thrown_ = thrown;
      }
      filled_.notify_one();
      if (thrown) return;
    }
  }

  const std::size_t count_;
  const RangeWriter& write_;
  std::array<ChunkBuffer, 2> buffers_;
  std::mutex mutex_;
  std::condition_variable filled_, emptied_;
  // Guarded by the mutex: which buffers hold a chunk not yet passed on,
  // whether to stop, what the second thread threw.
  std::array<bool, 2> full_{};
  bool stopping_ = false;
  std::exception_ptr thrown_;
  std::thread worker_;
};

}  // namespace

void writeInChunks(std::size_t count, ByteSink& out, const RangeWriter& write) {
  std::optional<SecondLane> second;
  if (count > 2 * kChunkItems) {
    try {
      second.emplace(count, write);
    } catch (const std::system_error&) {
    } catch (const std::bad_alloc&) {
    }
  }
  if (!second) return write(0, count, out);
  std::size_t slot = 0;
  for (std::size_t begin = 0; begin < count; begin += 2 * kChunkItems, slot ^= 1) {
    write(begin, std::min(begin + kChunkItems, count), out);
    if (begin + kChunkItems < count) second->passOn(slot, out);
  }
}

}  // namespace tamsel
