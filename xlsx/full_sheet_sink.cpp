#include "xlsx/full_sheet_sink.h"

#include "engine/format_real.h"

namespace toridasu::xlsx {

using model::Column;

void FullSheetSink::Begin(const std::vector<Column>& columns) {
  columns_ = columns;
  std::vector<std::string> header;
  std::vector<bool> numbers;
  for (const Column column : columns) {
    header.emplace_back(model::ColumnName(column));
    numbers.push_back(model::HoldsNumbers(column));
  }
  sheets_.Begin(std::move(header), std::move(numbers));
}

void FullSheetSink::AddNumber(double value) {
  char text[kMaxRealText];
  sheets_.AddNumber({text, FormatReal(value, '.', text)});
}

void FullSheetSink::Take(const model::TextRecord& record) {
  for (const Column column : columns_) {
    switch (column) {
      case Column::kX: AddNumber(record.point.x); break;
      case Column::kY: AddNumber(record.point.y); break;
      case Column::kZ: AddNumber(record.point.z); break;
      case Column::kText: sheets_.AddText(record.text, record.line); break;
      case Column::kType: sheets_.AddText(record.type, record.line); break;
      case Column::kLayer: sheets_.AddText(record.layer, record.line); break;
      case Column::kHandle: sheets_.AddText(record.handle, record.line); break;
      case Column::kHeight: AddNumber(record.height); break;
      case Column::kRotation: AddNumber(record.rotation); break;
      case Column::kStyle: sheets_.AddText(record.style, record.line); break;
      case Column::kAlignX: AddNumber(record.align.x); break;
      case Column::kAlignY: AddNumber(record.align.y); break;
      case Column::kAlignZ: AddNumber(record.align.z); break;
      case Column::kSpace: sheets_.AddText(record.space, record.line); break;
      case Column::kBlock: sheets_.AddText(record.block, record.line); break;
      case Column::kVisible: sheets_.AddNumber(record.visible ? "1" : "0"); break;
      case Column::kDrawing: sheets_.AddText(drawing_, record.line); break;
    }
  }
  sheets_.EndRow();
}

}  // namespace toridasu::xlsx
