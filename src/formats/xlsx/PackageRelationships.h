#pragma once

// The package's own map of its parts: relationship parts (_rels/*.rels) and
// the workbook's list of sheets, used to find the first worksheet and the
// shared strings when a workbook does not keep them under the usual names.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/Bytes.h"

namespace tamsel::xlsx {

struct PackageRelationship {
  std::string id;
  std::string type;
  std::string target;
  bool external = false;  // TargetMode="External": not a part of the package
};

// The relationships of a .rels part, as far as it is well-formed.
std::vector<PackageRelationship> parseRelationships(ByteView part);

// One "sheet" inside the workbook's "sheets": its tab name and r:id.
struct WorkbookSheetEntry {
  std::string name;
  std::optional<std::string> relationshipID;
};

// The workbook's sheets in its order, as far as the part is well-formed.
std::vector<WorkbookSheetEntry> workbookSheets(ByteView workbookPart);

// The relationship part of `partName`: "xl/workbook.xml" gives
// "xl/_rels/workbook.xml.rels", the package itself ("") "_rels/.rels".
std::string relationshipsPartName(std::string_view partName);

// The member name a target points at: relative to the folder of the part
// that owns the relationship, or from the package root when it starts with
// "/"; "." and ".." segments are resolved.
std::string resolveRelationshipTarget(std::string_view sourcePart, std::string_view target);

}  // namespace tamsel::xlsx
