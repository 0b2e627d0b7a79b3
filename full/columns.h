// The columns of the full reading's CSV: which, in what order, and how a
// record becomes a line.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "full/text_record.h"

namespace toridasu::full {

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
};

// The names users give on the command line, in the order of Column.
std::string_view ColumnName(Column column);
// "x,y,z,text" and the like; nullopt when a name is unknown or the list
// is empty. `bad` receives the first unknown name.
std::optional<std::vector<Column>> ParseColumns(std::string_view list, std::string* bad = nullptr);
std::vector<Column> DefaultColumns();

// The header line: every column's name, quoted.
std::string HeaderLine(const std::vector<Column>& columns);
// One record line (UTF-8): numbers as the default mode writes them with the
// decimal separator `separator`, texts quoted with " doubled.
void AppendRecordLine(const std::vector<Column>& columns, const TextRecord& record, char separator,
                      std::string& out);
// A text field by the usual CSV rule: quoted, each " doubled, line breaks kept.
void AppendQuoted(std::string_view text, std::string& out);

}  // namespace toridasu::full
