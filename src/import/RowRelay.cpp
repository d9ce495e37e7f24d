#include "import/RowRelay.h"

#include <system_error>

namespace tamsel {

RowRelay::RowRelay(RowSink& target) : target_(target) {
  try {
    for (RowTable& batch : batches_) batch.reserve(kBatchRows + 1, 4 * kBatchRows, kBatchTextBytes);
    worker_ = std::thread(&RowRelay::relay, this);
    relaying_ = true;
  } catch (const std::bad_alloc&) {
  } catch (const std::system_error&) {
  }
}

RowRelay::~RowRelay() {
  try {
    finish();
  } catch (...) {
    // The target's failure was the import's to report; here it only ends.
  }
}

void RowRelay::addRow() {
  if (direct()) return target_.addRow();
  RowTable& batch = batches_[filling_];
  // A table is handed over between rows only: its last row is complete.
  if (batch.size() >= kBatchRows || batch.textBytes() >= kBatchTextBytes) handOver();
  batches_[filling_].addRow();
}

void RowRelay::referTo(std::shared_ptr<const Bytes> owner) {
  drain();
  for (RowTable& batch : batches_) batch.referTo(owner);
  target_.referTo(std::move(owner));
}

void RowRelay::beginText(std::string_view source) {
  drain();
  for (RowTable& batch : batches_) batch.referTo(source);
  target_.beginText(source);
}

void RowRelay::setHeaderTest(const HeaderTest& test) {
  drain();
  target_.setHeaderTest(test);
}

void RowRelay::endText() {
  drain();
  // The source may end with the text: no table views it any longer.
  for (RowTable& batch : batches_) batch.referTo(std::string_view{});
  target_.endText();
}

void RowRelay::finish() {
  if (direct()) return;
  drain();
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  handed_.notify_one();
  worker_.join();
  relaying_ = false;
  rethrow();
}

void RowRelay::handOver() {
  {
    std::unique_lock lock(mutex_);
    ++pending_;
    handed_.notify_one();
    taken_.wait(lock, [this] { return pending_ < kBatches; });
  }
  filling_ = (filling_ + 1) % kBatches;
  rethrow();
}

void RowRelay::drain() {
  if (direct()) return;
  if (!batches_[filling_].empty()) handOver();
  {
    std::unique_lock lock(mutex_);
    taken_.wait(lock, [this] { return pending_ == 0; });
  }
  rethrow();
}

void RowRelay::rethrow() {
  std::exception_ptr thrown;
  {
    std::lock_guard lock(mutex_);
    if (!thrown_ || rethrown_) return;
    rethrown_ = true;
    thrown = thrown_;
  }
  std::rethrow_exception(thrown);
}

void RowRelay::relay() {
  std::size_t head = 0;
  for (;;) {
    bool failed;
    {
      std::unique_lock lock(mutex_);
      handed_.wait(lock, [this] { return pending_ > 0 || stopping_; });
      if (pending_ == 0) return;
      failed = thrown_ != nullptr;
    }
    RowTable& batch = batches_[head];
    if (!failed) {
      try {
        target_.addRows(batch);
      } catch (...) {
        std::lock_guard lock(mutex_);
        thrown_ = std::current_exception();
      }
    }
    batch.clear();
    {
      std::lock_guard lock(mutex_);
      --pending_;
    }
    taken_.notify_one();
    head = (head + 1) % kBatches;
  }
}

}  // namespace tamsel
