#include "cli/JsonOutput.h"

#include <nlohmann/json.hpp>

#include <ostream>

#include "cli/PropertiesJson.h"

namespace tamsel::cli {

using OrderedJson = nlohmann::ordered_json;

std::string compactJson(const OrderedJson& value) {
  return value.dump(-1, ' ', false, OrderedJson::error_handler_t::replace);
}

void writePrimersJson(std::ostream& out, const PrimerList& primers, int defaultMismatches, int endMatches,
                      bool withProperties) {
  const TmConditions conditions;
  out << "{\"defaultMismatches\":" << defaultMismatches << ",\"endMatches\":" << endMatches;
  if (withProperties) out << ",\"properties\":" << compactJson(tmMethodJson(conditions));
  out << ",\"primers\":[";
  bool first = true;
  for (const PrimerView& primer : primers) {
    OrderedJson entry;
    entry["selected"] = primer.selected;
    entry["name"] = primer.name;
    entry["sequence"] = primer.sequence;
    entry["comment"] = primer.comment;
    if (withProperties) entry["properties"] = propertiesJson(primerProperties(primer.sequence, conditions));
    out << (first ? "" : ",") << compactJson(entry);
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
    out << (index == 0 ? "" : ",") << compactJson(cells);
  }
  out << "]}\n";
}

void writeLayoutJson(std::ostream& out, const std::optional<TableLayout>& layout) {
  OrderedJson json;
  json["reading"] = layout ? std::string(readingName(layout->reading)) : "primers";
  json["sheet"] = layout && layout->sheet ? OrderedJson(*layout->sheet) : OrderedJson();
  json["headerRow"] = layout && layout->headerRow ? OrderedJson(*layout->headerRow + 1) : OrderedJson();
  json["skippedRows"] = OrderedJson::array();
  json["columns"] = OrderedJson::array();
  json["ignoredColumns"] = OrderedJson::array();
  if (layout) {
    for (std::size_t row : layout->skippedRows) json["skippedRows"].push_back(row + 1);
    for (const TableLayout::Column& column : layout->columns) {
      OrderedJson entry;
      entry["column"] = columnLetter(column.index);
      entry["header"] = column.header;
      entry["role"] = std::string(roleName(column.role));
      json["columns"].push_back(std::move(entry));
      if (column.role == ColumnRole::ignored) json["ignoredColumns"].push_back(columnLetter(column.index));
    }
  }
  json["primersPerRow"] = layout && layout->pairs() ? 2 : 1;
  out << compactJson(json) << '\n';
}

}  // namespace tamsel::cli
