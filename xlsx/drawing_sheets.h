// The sheets of one drawing as its records come. A drawing with a workbook
// of its own writes its rows at once, on a second thread (row_pipe.h), and
// its sink opens the workbook when it begins and completes it when it
// commits. A drawing that shares its workbook with others holds its rows in
// a spool until it has converted, so that one that fails leaves no sheet.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "xlsx/row_pipe.h"
#include "xlsx/row_spool.h"
#include "xlsx/workbook.h"

namespace toridasu::xlsx {

class DrawingSheets {
 public:
  DrawingSheets(Workbook& book, std::string sheetName, bool ownsWorkbook)
      : book_(book), sheetName_(std::move(sheetName)), ownsWorkbook_(ownsWorkbook) {}

  void Begin(std::vector<std::string> header, std::vector<bool> numbers);
  // The cells of a row, in the order of the columns: a number as the CSV
  // file writes it (with "." as the decimal separator), or a text (UTF-8). A
  // text longer than a cell holds raises ConversionFailure (kTextTooLong)
  // at the drawing's `line`.
  void AddNumber(std::string_view csvText);
  void AddText(std::string_view utf8, uint64_t line);
  void EndRow();
  void Commit();
  void Abandon();

  // The sheets the drawing took (after Commit): more than one when its
  // records were more than a sheet holds.
  const std::vector<std::string>& Sheets() const { return sheets_; }
  const IoEnd* Output() const { return &book_; }

 private:
  void Widen(std::size_t width);
  void WriteBatch(std::string_view cells, uint64_t rows);

  Workbook& book_;
  const std::string sheetName_;
  const bool ownsWorkbook_;
  SheetColumns columns_;
  std::unique_ptr<RowPipe> pipe_;    // own workbook
  std::unique_ptr<RowSpool> spool_;  // shared workbook
  std::size_t column_ = 0;
  std::string escaped_;
  std::string text_;  // the pipe thread's
  std::vector<std::string> sheets_;
};

}  // namespace toridasu::xlsx
