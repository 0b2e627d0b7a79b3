#include "full/record_line.h"

#include "engine/csv_record.h"
#include "engine/format_real.h"

namespace toridasu::full {
namespace {

using model::Column;

// A number's field as the default mode writes it.
void AppendReal(double value, char separator, std::string& out) {
  char field[kMaxRealText + 2];
  const char* const end =
      PutCsvNumber(separator, field, [&](char* at) { return FormatReal(value, separator, at); });
  out.append(field, static_cast<std::size_t>(end - field));
}

}  // namespace

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

void AppendRecordLine(const std::vector<Column>& columns, const model::TextRecord& record,
                      char separator, std::string_view drawing, std::string& out) {
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
      case Column::kVisible: out += record.visible ? '1' : '0'; break;
      case Column::kDrawing: AppendQuoted(drawing, out); break;
    }
  }
}

}  // namespace toridasu::full
