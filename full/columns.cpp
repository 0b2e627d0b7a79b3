#include "full/columns.h"

#include <array>

#include "engine/format_real.h"
#include "full/raw_entity.h"
#include "text/ascii_case.h"

namespace toridasu::full {
namespace {

constexpr std::array<std::string_view, 15> kNames = {
    "x",        "y",     "z",       "text",    "type",    "layer", "handle", "height",
    "rotation", "style", "align_x", "align_y", "align_z", "space", "block"};

// With the decimal separator "," a number is enclosed in double quotes, as
// the default mode writes it, so that its comma does not split the field.
void AppendReal(double value, char separator, std::string& out) {
  char digits[kMaxRealText];
  const bool quoted = separator == ',';
  if (quoted) out += '"';
  out.append(digits, FormatReal(value, separator, digits));
  if (quoted) out += '"';
}

}  // namespace

std::string_view ColumnName(Column column) { return kNames[static_cast<std::size_t>(column)]; }

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

void AppendQuoted(std::string_view text, std::string& out) {
  out += '"';
  for (std::size_t quote; (quote = text.find('"')) != std::string_view::npos;) {
    out.append(text.data(), quote + 1);
    out += '"';
    text.remove_prefix(quote + 1);
  }
  out.append(text);
  out += '"';
}

std::string HeaderLine(const std::vector<Column>& columns) {
  std::string line;
  for (std::size_t i = 0; i < columns.size(); ++i) {
    if (i != 0) line += ',';
    AppendQuoted(ColumnName(columns[i]), line);
  }
  return line;
}

void AppendRecordLine(const std::vector<Column>& columns, const TextRecord& record, char separator,
                      std::string& out) {
  bool first = true;
  for (const Column column : columns) {
    if (!first) out += ',';
    first = false;
    switch (column) {
      case Column::kX: AppendReal(record.point.x, separator, out); break;
      case Column::kY: AppendReal(record.point.y, separator, out); break;
      case Column::kZ: AppendReal(record.point.z, separator, out); break;
      case Column::kText: AppendQuoted(record.text, out); break;
      case Column::kType: AppendQuoted(record.type, out); break;
      case Column::kLayer: AppendQuoted(record.layer, out); break;
      case Column::kHandle: AppendQuoted(record.handle, out); break;
      case Column::kHeight: AppendReal(record.height, separator, out); break;
      case Column::kRotation: AppendReal(record.rotation, separator, out); break;
      case Column::kStyle: AppendQuoted(record.style, out); break;
      case Column::kAlignX: AppendReal(record.align.x, separator, out); break;
      case Column::kAlignY: AppendReal(record.align.y, separator, out); break;
      case Column::kAlignZ: AppendReal(record.align.z, separator, out); break;
      case Column::kSpace: AppendQuoted(record.space, out); break;
      case Column::kBlock: AppendQuoted(record.block, out); break;
    }
  }
}

}  // namespace toridasu::full
