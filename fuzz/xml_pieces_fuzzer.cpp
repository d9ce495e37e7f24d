// The XML tokenizer given a document in pieces must give the result and the
// events of the whole document, for every way of cutting it and whatever the
// document holds. The input's first byte gives the number of piece sizes that
// follow (low 2 bits, plus one) and after how many element events the handler
// asks to stop (the other bits, 0 for never); each size byte gives a piece of
// 1 to 64 bytes, used in turn. The rest is the document.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "XMLEventLog.h"
#include "formats/xml/XMLParser.h"

namespace {

using namespace tamsel;

class StoppingLog final : public fuzz::XMLEventLog {
 public:
  explicit StoppingLog(unsigned stopAfter) : left_(stopAfter) {}
  void startElement(const xml::XMLElementStart& element) override {
    XMLEventLog::startElement(element);
    count();
  }
  void endElement(const xml::XMLName& name) override {
    XMLEventLog::endElement(name);
    count();
  }
  bool stopRequested() const override { return stopped_; }

 private:
  void count() { stopped_ = stopped_ || (left_ > 0 && --left_ == 0); }
  unsigned left_;
  bool stopped_ = false;
};

class Pieces final : public xml::XMLInput {
 public:
  Pieces(std::string_view document, std::string_view sizes) : rest_(document), sizes_(sizes) {}
  std::size_t read(char* out, std::size_t capacity) override {
    if (capacity == 0) std::abort();  // 0 would read as the end
    const std::size_t piece = static_cast<std::uint8_t>(sizes_[next_++ % sizes_.size()]) % 64 + 1;
    const std::size_t n = std::min({capacity, piece, rest_.size()});
    rest_.copy(out, n);
    rest_.remove_prefix(n);
    return n;
  }

 private:
  std::string_view rest_;
  std::string_view sizes_;
  std::size_t next_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  if (input.empty()) return 0;
  const auto header = static_cast<std::uint8_t>(input[0]);
  const std::size_t sizeCount = (header & 3u) + 1;
  if (input.size() < 1 + sizeCount) return 0;
  const std::string_view document = input.substr(1 + sizeCount);

  StoppingLog whole(header >> 2);
  const xml::XMLParseResult wholeResult = xml::tokenizeXML(asBytes(document), whole);
  StoppingLog cut(header >> 2);
  Pieces pieces(document, input.substr(1, sizeCount));
  std::string rest;
  const xml::XMLParseResult cutResult = xml::tokenizeXML(pieces, cut, &rest);
  const bool restLost = cutResult == xml::XMLParseResult::unsupportedEncoding && rest != document;
  if (cutResult != wholeResult || cut.finish() != whole.finish() || restLost) {
    std::fprintf(stderr, "pieces differ from the whole (result %d, whole %d%s)\nwhole:\n%s\npieces:\n%s\n",
                 static_cast<int>(cutResult), static_cast<int>(wholeResult), restLost ? ", document lost" : "",
                 whole.finish().c_str(), cut.finish().c_str());
    std::abort();
  }
  return 0;
}
