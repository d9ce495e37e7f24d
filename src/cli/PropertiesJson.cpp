#include "cli/PropertiesJson.h"

#include <cmath>
#include <string>

namespace tamsel::cli {
namespace {

using OrderedJson = nlohmann::ordered_json;

// Two decimals: finer than the method's accuracy, and short to read.
double rounded(double value) { return std::round(value * 100.0) / 100.0; }

OrderedJson rangeJson(const ValueRange& range) { return {{"min", rounded(range.min)}, {"max", rounded(range.max)}}; }

}  // namespace

OrderedJson tmMethodJson(const TmConditions& conditions) {
  return {{"tmMethod", kTmMethod},
          {"divalentConversion", kDivalentConversion},
          {"conditions",
           {{"monovalentMilliMolar", conditions.monovalentMilliMolar},
            {"magnesiumMilliMolar", conditions.magnesiumMilliMolar},
            {"dntpMilliMolar", conditions.dntpMilliMolar},
            {"oligoNanoMolar", conditions.oligoNanoMolar}}}};
}

OrderedJson propertiesJson(const PrimerProperties& properties) {
  OrderedJson json;
  json["length"] = properties.length;
  json["gcPercent"] = properties.gcPercent ? rangeJson(*properties.gcPercent) : OrderedJson();
  if (properties.tm.status == TmStatus::computed) {
    json["tm"] = rangeJson(properties.tm.celsius);
  } else {
    json["tm"] = nullptr;
    json["tmNotComputed"] = tmText(properties.tm);
  }
  return json;
}

OrderedJson findingJson(std::string_view file, const ListFinding& finding) {
  OrderedJson json;
  json["file"] = std::string(file);
  json["row"] = finding.row + 1;
  json["kind"] = findingKindName(finding.kind);
  json["message"] = finding.message;
  if (finding.otherRow) json["otherRow"] = *finding.otherRow + 1;
  return json;
}

}  // namespace tamsel::cli
