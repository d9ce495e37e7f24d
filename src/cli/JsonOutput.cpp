#include "cli/JsonOutput.h"

#include <nlohmann/json.hpp>

#include <ostream>

namespace tamsel::cli {
namespace {

using OrderedJson = nlohmann::ordered_json;

// Readers give UTF-8; anything else is shown with U+FFFD rather than aborting.
std::string dump(const OrderedJson& value) { return value.dump(-1, ' ', false, OrderedJson::error_handler_t::replace); }

}  // namespace

void writePrimersJson(std::ostream& out, const PrimerList& primers, int defaultMismatches, int endMatches) {
  out << "{\"defaultMismatches\":" << defaultMismatches << ",\"endMatches\":" << endMatches << ",\"primers\":[";
  bool first = true;
  for (const PrimerEntry& primer : primers) {
    OrderedJson entry;
    entry["selected"] = primer.selected;
    entry["name"] = primer.name;
    entry["sequence"] = primer.sequence;
    entry["comment"] = primer.comment;
    out << (first ? "" : ",") << dump(entry);
    first = false;
  }
  out << "]}\n";
}

void writeRowsJson(std::ostream& out, const RowTable& rows) {
  out << "{\"rows\":[";
  for (std::size_t index = 0; index < rows.size(); ++index) {
    const RowTable::RowView row = rows.row(index);
    OrderedJson cells = OrderedJson::array();
    for (std::uint32_t column = 0; column < row.width(); ++column) cells.push_back(row.cell(column));
    out << (index == 0 ? "" : ",") << dump(cells);
  }
  out << "]}\n";
}

}  // namespace tamsel::cli
