#include "xlsx/workbook.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <new>

#include "base/errors.h"
#include "xlsx/cell_values.h"
#include "xlsx/row_spool.h"
#include "xlsx/scratch_files.h"

namespace toridasu::xlsx {
namespace {

// Column widths, in digits: the filter button needs room beside a header,
// and a very long text is better wrapped by the user than shown whole.
constexpr double kFilterButton = 3;
constexpr std::size_t kWidest = 60;

}  // namespace

Workbook::Workbook(ByteSink& out, std::string scratchName, std::string scratchFolder)
    : out_(out), scratchName_(std::move(scratchName)), scratchFolder_(std::move(scratchFolder)) {}

Workbook::~Workbook() {
  if (book_) Discard();
}

void Workbook::Fail(uint32_t code, FileOperation operation) {
  Note(code, operation);
  throw EInOutError("workbook", static_cast<int32_t>(code));
}

void Workbook::Check(int error) {
  if (error == LXW_NO_ERROR) return;
  if (error == LXW_ERROR_MEMORY_MALLOC_FAILED) throw std::bad_alloc();
  Fail(CodeOfLastFailure(), FileOperation::kWrite);
}

void Workbook::Open() {
  if (const uint32_t code = out_.Open(); code != 0) Fail(code, FileOperation::kCreate);
  lxw_workbook_options options = {};
  options.constant_memory = LXW_TRUE;
  options.tmpdir = const_cast<char*>(scratchFolder_.c_str());
  book_ = workbook_new_opt(scratchName_.c_str(), &options);
  if (!book_) throw std::bad_alloc();
  header_ = workbook_add_format(book_);
  format_set_bold(header_);
  wrapped_ = workbook_add_format(book_);
  format_set_text_wrap(wrapped_);
  format_set_align(wrapped_, LXW_ALIGN_VERTICAL_TOP);
}

void Workbook::BeginDrawing(std::string_view name, const SheetColumns& columns) {
  columns_ = columns;
  drawingSheets_.clear();
  drawingNames_ = {names_.Take(name)};
  BeginSheet();
}

void Workbook::BeginSheet() {
  const std::string& name = drawingNames_.back();
  lxw_worksheet* sheet = workbook_add_worksheet(book_, name.c_str());
  if (!sheet) Fail(CodeOfLastFailure(), FileOperation::kWrite);
  sheets_.push_back(sheet);
  drawingSheets_.push_back(sheet);
  worksheet_freeze_panes(sheet, 1, 0);
  for (lxw_col_t c = 0; c < columns_.names.size(); ++c)
    Check(worksheet_write_string(sheet, 0, c, columns_.names[c].c_str(), header_));
  row_ = 1;
  column_ = 0;
}

// The filter over the sheet's rows: the constant-memory mode takes it while
// the last row is still the one under way.
void Workbook::EndSheet() {
  const auto last = static_cast<lxw_col_t>(columns_.names.size() - 1);
  Check(worksheet_autofilter(drawingSheets_.back(), 0, 0, row_ - 1, last));
}

void Workbook::AddNumber(double value) {
  Check(worksheet_write_number(drawingSheets_.back(), row_, column_++, value, nullptr));
}

void Workbook::AddText(const std::string& text) {
  lxw_format* format = text.find('\n') == std::string::npos ? nullptr : wrapped_;
  Check(worksheet_write_string(drawingSheets_.back(), row_, column_++, text.c_str(), format));
}

void Workbook::EndRow() {
  column_ = 0;
  if (++row_ < kRowsPerSheet) return;
  EndSheet();
  drawingNames_.push_back(
      names_.TakeContinuation(drawingNames_.front(), static_cast<int>(drawingNames_.size()) + 1));
  BeginSheet();
}

std::vector<std::string> Workbook::EndDrawing(const std::vector<std::size_t>& widths) {
  EndSheet();
  for (lxw_worksheet* sheet : drawingSheets_) {
    for (lxw_col_t c = 0; c < columns_.names.size(); ++c) {
      const double header = static_cast<double>(DisplayWidth(columns_.names[c]));
      const double content = static_cast<double>(std::min(widths[c], kWidest)) + 1;
      Check(worksheet_set_column(sheet, c, c, std::max(header + kFilterButton, content), nullptr));
    }
  }
  drawingSheets_.clear();
  return std::move(drawingNames_);
}

std::vector<std::string> Workbook::AddSheets(std::string_view name, const SheetColumns& columns,
                                             RowSpool& rows) {
  rows.Rewind();
  BeginDrawing(name, columns);
  for (uint64_t row = 0; row < rows.Rows(); ++row) {
    for (std::size_t c = 0; c < columns.numbers.size(); ++c) {
      if (columns.numbers[c]) {
        AddNumber(rows.NextNumber());
      } else {
        AddText(rows.NextText());
      }
    }
    EndRow();
  }
  return EndDrawing(columns.widths);
}

void Workbook::Finish() {
  // The library does not check its writes of the rows: a full scratch
  // folder shows here.
  for (lxw_worksheet* sheet : sheets_) {
    if (sheet->optimize_tmpfile &&
        (std::fflush(sheet->optimize_tmpfile) != 0 || std::ferror(sheet->optimize_tmpfile)))
      Fail(CodeOfLastFailure(), FileOperation::kWrite);
  }
  sheets_.clear();
  lxw_workbook* book = book_;
  book_ = nullptr;
  if (const lxw_error error = workbook_close(book); error != LXW_NO_ERROR) {
    const uint32_t code = CodeOfLastFailure();
    std::remove(scratchName_.c_str());
    if (error == LXW_ERROR_MEMORY_MALLOC_FAILED) throw std::bad_alloc();
    Fail(code, FileOperation::kWrite);
  }
  CopyIntoOutput();
}

void Workbook::CopyIntoOutput() {
  std::FILE* scratch = std::fopen(scratchName_.c_str(), "rb");
  if (!scratch) Fail(CodeOfLastFailure(), FileOperation::kWrite);
  const std::unique_ptr<char[]> buffer(new char[1 << 20]);
  uint32_t code = 0;
  std::size_t got;
  while (code == 0 && (got = std::fread(buffer.get(), 1, 1 << 20, scratch)) > 0)
    code = out_.Write(buffer.get(), static_cast<uint32_t>(got));
  const bool readFailed = std::ferror(scratch) != 0;
  std::fclose(scratch);
  std::remove(scratchName_.c_str());
  if (code == 0 && readFailed) Fail(win_error::kIoDevice, FileOperation::kWrite);
  if (code == 0) code = out_.Close();
  if (code != 0) Fail(code, out_.Fault() ? out_.Fault()->operation : FileOperation::kWrite);
}

void Workbook::CloseSheetFiles() {
  for (lxw_worksheet* sheet : sheets_) {
    if (sheet->optimize_tmpfile) {
      std::fclose(sheet->optimize_tmpfile);
      sheet->optimize_tmpfile = nullptr;
      sheet->file = nullptr;
    }
  }
  sheets_.clear();
}

void Workbook::Discard() {
  if (book_) {
    CloseSheetFiles();
    lxw_workbook_free(book_);
    book_ = nullptr;
  }
  std::remove(scratchName_.c_str());
  out_.CloseQuietly();
  out_.RemoveOutput();
}

}  // namespace toridasu::xlsx
