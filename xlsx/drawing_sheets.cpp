#include "xlsx/drawing_sheets.h"

#include <algorithm>

#include "engine/conversion_failure.h"
#include "xlsx/cell_values.h"

namespace toridasu::xlsx {

void DrawingSheets::Begin(std::vector<std::string> header, std::vector<bool> numbers) {
  columns_.widths.clear();
  for (const std::string& name : header) columns_.widths.push_back(DisplayWidth(name));
  columns_.names = std::move(header);
  columns_.numbers = std::move(numbers);
  if (!ownsWorkbook_) {
    spool_ = std::make_unique<RowSpool>(book_.ScratchFolder());
    return;
  }
  book_.Open();
  book_.BeginDrawing(sheetName_, columns_);
  pipe_ = std::make_unique<RowPipe>(
      [this](std::string_view cells, uint64_t rows) { WriteBatch(cells, rows); });
}

void DrawingSheets::WriteBatch(std::string_view cells, uint64_t rows) {
  CellCursor cursor(cells);
  for (uint64_t row = 0; row < rows; ++row) {
    for (const bool number : columns_.numbers) {
      if (number) {
        book_.AddNumber(cursor.NextNumber());
      } else {
        text_ = cursor.NextText();
        book_.AddText(text_);
      }
    }
    book_.EndRow();
  }
}

void DrawingSheets::Widen(std::size_t width) {
  std::size_t& widest = columns_.widths[column_++];
  widest = std::max(widest, width);
}

void DrawingSheets::AddNumber(std::string_view csvText) {
  const double value = ParsedNumber(csvText);
  if (pipe_) {
    pipe_->AddNumber(value);
  } else {
    spool_->AddNumber(value);
  }
  Widen(csvText.size());
}

void DrawingSheets::AddText(std::string_view utf8, uint64_t line) {
  escaped_.clear();
  AppendCellText(utf8, escaped_);
  // The escapes count too where the library checks the length.
  if (Utf16Length(escaped_) > kMaxCellText) {
    ConversionFailure failure;
    failure.kind = FailureKind::kTextTooLong;
    failure.detail = std::to_string(Utf16Length(utf8));
    failure.line = line;
    throw failure;
  }
  if (pipe_) {
    pipe_->AddText(escaped_);
  } else {
    spool_->AddText(escaped_);
  }
  Widen(DisplayWidth(utf8));
}

void DrawingSheets::EndRow() {
  if (pipe_) {
    pipe_->EndRow();
  } else {
    spool_->EndRow();
  }
  column_ = 0;
}

void DrawingSheets::Commit() {
  if (!pipe_) {
    sheets_ = book_.AddSheets(sheetName_, columns_, *spool_);
    spool_.reset();
    return;
  }
  pipe_->Finish();
  pipe_.reset();
  sheets_ = book_.EndDrawing(columns_.widths);
  book_.Finish();
}

void DrawingSheets::Abandon() {
  if (pipe_) pipe_->Stop();
  pipe_.reset();
  spool_.reset();
  if (ownsWorkbook_) book_.Discard();
}

}  // namespace toridasu::xlsx
