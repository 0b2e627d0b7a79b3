// One XLSX workbook as the converter writes it: the sheets of one drawing
// or of a whole batch, built by libxlsxwriter in constant-memory mode in a
// scratch file, then copied to the output's byte sink (a file, standard
// output) once complete. Until then nothing but an empty output exists, and
// a workbook given up takes that away too.
//
// Each sheet has a bold header row, frozen, with an autofilter over the
// table and columns wide enough to read; texts are string cells (line
// breaks wrapped), numbers numeric cells. A sheet holds at most
// kRowsPerSheet rows: a drawing's records past that go on to further sheets.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "io/byte_sink.h"
#include "io/io_fault.h"
#include "xlsx/sheet_names.h"

struct lxw_workbook;
struct lxw_worksheet;
struct lxw_format;

namespace toridasu::xlsx {

class RowSpool;

// The rows of a sheet, its header row included.
constexpr uint64_t kRowsPerSheet = 1048576;

// The columns of a drawing's sheets: header names (UTF-8), which of them
// hold numbers, and how wide each shows (in digits).
struct SheetColumns {
  std::vector<std::string> names;
  std::vector<bool> numbers;
  std::vector<std::size_t> widths;
};

class Workbook final : public IoEnd {
 public:
  // Builds the workbook in the scratch file `scratchName` (a name the C
  // library opens as it stands: ASCII, or the system's code page on
  // Windows), with the library's own scratch files in `scratchFolder`, and
  // copies it into `out` (which outlives the workbook).
  Workbook(ByteSink& out, std::string scratchName, std::string scratchFolder);
  ~Workbook();
  Workbook(const Workbook&) = delete;
  Workbook& operator=(const Workbook&) = delete;

  const std::string& ScratchFolder() const { return scratchFolder_; }

  // Makes the output and begins the workbook. Raises EInOutError.
  void Open();
  // The sheets of one drawing, row by row: the first named after `name`,
  // each begun with the header row, the next begun when one is full.
  // EndDrawing sets the columns' widths and returns the sheets' names.
  void BeginDrawing(std::string_view name, const SheetColumns& columns);
  void AddNumber(double value);
  void AddText(const std::string& text);  // as AppendCellText made it
  void EndRow();
  std::vector<std::string> EndDrawing(const std::vector<std::size_t>& widths);
  // The rows of `rows` (rewound here) as the sheets of one drawing.
  std::vector<std::string> AddSheets(std::string_view name, const SheetColumns& columns,
                                     RowSpool& rows);
  // Completes the workbook and copies it into the output, which it closes.
  // Raises EInOutError; the output is then still to be discarded.
  void Finish();
  // Gives the workbook up and takes its output away. Never raises.
  void Discard();

 private:
  [[noreturn]] void Fail(uint32_t code, FileOperation operation);
  void Check(int error);
  void BeginSheet();
  void EndSheet();
  void CopyIntoOutput();
  void CloseSheetFiles();

  ByteSink& out_;
  const std::string scratchName_;
  const std::string scratchFolder_;
  lxw_workbook* book_ = nullptr;
  lxw_format* header_ = nullptr;
  lxw_format* wrapped_ = nullptr;
  std::vector<lxw_worksheet*> sheets_;
  SheetNames names_;
  // The drawing under way: its columns, sheets, and the cell to write next.
  SheetColumns columns_;
  std::vector<lxw_worksheet*> drawingSheets_;
  std::vector<std::string> drawingNames_;
  uint32_t row_ = 0;
  uint16_t column_ = 0;
};

}  // namespace toridasu::xlsx
