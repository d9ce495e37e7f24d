#include "formats/xlsx/SharedStringsThread.h"

#include <system_error>

namespace tamsel::xlsx {
namespace {

// Below this the thread would cost more than it saves.
constexpr std::size_t kThreadedBytes = std::size_t{1} << 20;

}  // namespace

SharedStringsThread::SharedStringsThread(ByteView part) : part_(part), parser_(part) {
  if (part.size() >= kThreadedBytes) {
    parser_.strings().startFilling();
    try {
      worker_ = std::thread(&SharedStringsThread::parse, this);
      return;
    } catch (const std::system_error&) {
    }
  }
  parse();
}

SharedStringsThread::~SharedStringsThread() {
  if (worker_.joinable()) worker_.join();
}

void SharedStringsThread::parse() noexcept {
  try {
    xml::parseXML(part_, parser_);
  } catch (...) {
    failure_ = std::current_exception();
  }
  parser_.strings().finishFilling();
}

void SharedStringsThread::finish() {
  if (worker_.joinable()) worker_.join();
  if (failure_) std::rethrow_exception(failure_);
}

}  // namespace tamsel::xlsx
