#include "import/RowRelay.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "model/ColumnTitles.h"

namespace tamsel {
namespace {

// Everything a sink was told, in order, with where each text lay.
class Recorder final : public RowSink {
 public:
  explicit Recorder(std::string_view source) : source_(source) {}
  void addRow() override { log_ += "|"; }
  void setCell(std::uint32_t column, std::string_view text) override {
    log_.append(std::to_string(column)).append("=").append(text).append(liesWithin(text, source_) ? "@ " : " ");
  }
  void setLastRowWidth(std::uint32_t width) override { log_.append("w").append(std::to_string(width)).append(" "); }
  void beginText(std::string_view) override { log_ += "<"; }
  void setHeaderTest(const HeaderTest& test) override {
    log_.append("h").append(test.firstRecordText.value_or("")).append(" ");
  }
  void endText() override { log_ += ">"; }
  const std::string& log() const { return log_; }

 private:
  std::string_view source_;
  std::string log_;
};

// `prefix` and then `number`, built without operator+ on a temporary (which
// GCC 12 mistakes for an overlapping copy).
std::string numbered(std::string prefix, std::size_t number) { return prefix.append(std::to_string(number)); }

// Rows of a source text, some cells viewed in it and some copied, as a reader gives them.
void readRows(RowSink& sink, std::string_view source, std::size_t rows) {
  HeaderTest test;
  test.firstRecordText = "name";
  sink.setHeaderTest(test);
  sink.beginText(source);
  for (std::size_t r = 0; r < rows; ++r) {
    sink.addRow();
    sink.setCell(1, source.substr(r % source.size(), 1));
    sink.setCell(0, numbered("copy", r));  // out of order, and gone after the call
    if (r % 3 == 0) sink.setLastRowWidth(7);
  }
  sink.endText();
}

// What a table of the same calls holds, row by row, as a Recorder logs it.
std::string replayed(const RowTable& table, std::string_view source) {
  Recorder recorder(source);
  recorder.addRows(table);
  return recorder.log();
}

TEST(RowRelayTest, TheTargetSeesTheCallsInOrderWithTheSameViews) {
  const std::string source = "ACGTACGTACGTACGTACGTACGTACGTACGTACGTA";
  for (std::size_t rows : {0, 1, 5000, 20000}) {
    Recorder relayed(source);
    {
      RowRelay relay(relayed);
      readRows(relay, source, rows);
      relay.finish();
    }
    // addRows sorts each row's cells: compare against a table of the calls.
    RowTable table;
    table.referTo(std::string_view(source));
    for (std::size_t r = 0; r < rows; ++r) {
      table.addRow();
      table.setCell(1, std::string_view(source).substr(r % source.size(), 1));
      table.setCell(0, numbered("copy", r));
      if (r % 3 == 0) table.setLastRowWidth(7);
    }
    EXPECT_EQ(relayed.log(), "hname <" + replayed(table, source) + ">") << rows << " rows";
  }
}

// A target that fails part way, as one out of memory would.
class FailingSink final : public RowSink {
 public:
  void addRow() override {
    if (++rows_ == 3000) throw std::runtime_error("full");
  }
  void setCell(std::uint32_t, std::string_view) override {}
  void setLastRowWidth(std::uint32_t) override {}

 private:
  std::size_t rows_ = 0;
};

TEST(RowRelayTest, WhatTheTargetThrowsReachesTheReader) {
  const std::string source = "ACGT";
  FailingSink target;
  RowRelay relay(target);
  EXPECT_THROW(
      {
        readRows(relay, source, 10000);
        relay.finish();
      },
      std::runtime_error);
  // Once thrown, it is not thrown again, and the relay still ends cleanly.
  EXPECT_NO_THROW(relay.finish());
}

}  // namespace
}  // namespace tamsel
