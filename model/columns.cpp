#include "model/columns.h"

#include <array>

#include "model/names.h"
#include "text/ascii_case.h"

namespace toridasu::model {
namespace {

constexpr std::array<std::string_view, 17> kNames = {
    "x",     "y",       "z",       "text",    "type",  "layer", "handle",  "height", "rotation",
    "style", "align_x", "align_y", "align_z", "space", "block", "visible", "drawing"};

}  // namespace

std::string_view ColumnName(Column column) { return kNames[static_cast<std::size_t>(column)]; }

std::string AllColumnNames() {
  std::string names;
  for (const std::string_view name : kNames) {
    if (!names.empty()) names += ',';
    names += name;
  }
  return names;
}

std::optional<std::vector<Column>> ParseColumns(std::string_view list, std::string* bad) {
  std::vector<Column> columns;
  while (true) {
    const std::size_t comma = list.find(',');
    const std::string_view name = TrimBlanks(list.substr(0, comma));
    const std::string folded = text::AsciiUpperCase(name);
    bool known = false;
    for (std::size_t i = 0; i < kNames.size() && !known; ++i) {
      if (folded == text::AsciiUpperCase(kNames[i])) {
        columns.push_back(static_cast<Column>(i));
        known = true;
      }
    }
    if (!known) {
      if (bad) *bad = std::string(name);
      return std::nullopt;
    }
    if (comma == std::string_view::npos) break;
    list.remove_prefix(comma + 1);
  }
  return columns;
}

std::vector<Column> DefaultColumns() { return {Column::kX, Column::kY, Column::kZ, Column::kText}; }

bool HoldsNumbers(Column column) {
  switch (column) {
    case Column::kX:
    case Column::kY:
    case Column::kZ:
    case Column::kHeight:
    case Column::kRotation:
    case Column::kAlignX:
    case Column::kAlignY:
    case Column::kAlignZ:
    case Column::kVisible: return true;
    default: return false;
  }
}

}  // namespace toridasu::model
