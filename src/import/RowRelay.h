#pragma once

// Hands a reader's rows to another sink that works on a second thread, so
// that finding the cells and making primers of them no longer take turns.
// Rows gather in a small table, which goes to the target's addRows whenever
// it fills, while the reader fills the next one. The tables view the texts
// the target would view (the owner's bytes, the source text) and copy the
// rest, so the target keeps views of the same bytes as without the relay.
//
// The calls that come between rows (referTo, beginText, setHeaderTest,
// endText) wait until the target has taken every row before them and then
// reach it from the reader's thread; so endText returns only once nothing
// views the source any longer. What the target throws is
// thrown again on the reader's thread at a later call (or by finish), as if
// the target had thrown it there. Where no thread can be started, every call
// goes to the target directly.

#include <array>
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <mutex>
#include <thread>

#include "model/RowTable.h"

namespace tamsel {

class RowRelay final : public RowSink {
 public:
  explicit RowRelay(RowSink& target);
  RowRelay(const RowRelay&) = delete;
  RowRelay& operator=(const RowRelay&) = delete;
  // Waits for the target, as finish does, but throws nothing.
  ~RowRelay() override;

  void addRow() override;
  void setCell(std::uint32_t column, std::string_view text) override {
    if (relaying_) return batches_[filling_].setCell(column, text);
    target_.setCell(column, text);
  }
  void setLastRowWidth(std::uint32_t width) override {
    if (relaying_) return batches_[filling_].setLastRowWidth(width);
    target_.setLastRowWidth(width);
  }
  void referTo(std::shared_ptr<const Bytes> owner) override;
  void beginText(std::string_view source) override;
  void setHeaderTest(const HeaderTest& test) override;
  void endText() override;

  // Waits until the target has taken every row and stops the thread; throws
  // what the target threw, if nothing has thrown it yet.
  void finish();

 private:
  static constexpr std::size_t kBatches = 3;
  static constexpr std::size_t kBatchRows = 1024;
  static constexpr std::size_t kBatchTextBytes = std::size_t{32} << 10;

  bool direct() const { return !relaying_; }
  // Passes the table being filled to the target and takes the next empty one.
  void handOver();
  // Waits until the target has taken every row, so that the reader's thread
  // may call it.
  void drain();
  void rethrow();
  void relay();

  RowSink& target_;
  std::array<RowTable, kBatches> batches_;
  std::size_t filling_ = 0;  // the reader's alone
  std::mutex mutex_;
  std::condition_variable handed_, taken_;
  // Guarded by the mutex: tables handed over and not yet taken (they come
  // before filling_ in the ring), whether the thread is to stop, what the
  // target threw and whether that was thrown again.
  std::size_t pending_ = 0;
  bool stopping_ = false;
  std::exception_ptr thrown_;
  bool rethrown_ = false;
  std::thread worker_;
  bool relaying_ = false;  // while the thread runs
};

}  // namespace tamsel
