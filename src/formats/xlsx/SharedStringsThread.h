#pragma once

// A large shared-string part parsed on a second thread while the sheet is
// read: a cell waits only until the items up to its index are in the table,
// and writers add items in the order cells first use them.

#include <exception>
#include <thread>

#include "formats/xlsx/SharedStringsParser.h"

namespace tamsel::xlsx {

class SharedStringsThread {
 public:
  // Starts parsing `part`, which must outlive this. A small part, or one
  // where no thread can be started, is parsed at once.
  explicit SharedStringsThread(ByteView part);
  SharedStringsThread(const SharedStringsThread&) = delete;
  SharedStringsThread& operator=(const SharedStringsThread&) = delete;
  // Waits for the parse to end.
  ~SharedStringsThread();

  // The table, complete or being filled; its items view `part`.
  const SharedStringTable& table() const { return parser_.strings(); }
  // Waits for the whole table, and throws what its parse threw.
  void finish();

 private:
  void parse() noexcept;

  ByteView part_;
  SharedStringsParser parser_;
  std::exception_ptr failure_;
  std::thread worker_;
};

}  // namespace tamsel::xlsx
