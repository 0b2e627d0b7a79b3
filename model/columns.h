// The columns a user may ask for: which, in what order, by the names given on
// the command line.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace toridasu::model {

enum class Column {
  kX,
  kY,
  kZ,
  kText,
  kType,
  kLayer,
  kHandle,
  kHeight,
  kRotation,
  kStyle,
  kAlignX,
  kAlignY,
  kAlignZ,
  kSpace,
  kBlock,
  kVisible,
  kDrawing,  // the drawing's file name, for tables that gather several drawings
};

// The names users give on the command line, in the order of Column.
std::string_view ColumnName(Column column);
// Every name, in that order, separated by commas: "x,y,z,text,...".
std::string AllColumnNames();
// "x,y,z,text" and the like; nullopt when a name is unknown or the list
// is empty. `bad` receives the first unknown name.
std::optional<std::vector<Column>> ParseColumns(std::string_view list, std::string* bad = nullptr);
std::vector<Column> DefaultColumns();
// Whether the column holds numbers (coordinates, height, rotation, visible)
// rather than texts.
bool HoldsNumbers(Column column);

}  // namespace toridasu::model
