// The converter's XLSX output: which workbook a drawing's sheets go to (its
// own, or the one workbook of a batch), what its sheets and its drawing
// column are called, and the warning when its texts need more than a sheet.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "cli/batch_plan.h"
#include "io/byte_sink.h"
#include "xlsx/workbook.h"

namespace toridasu::cli {

struct ModeEnd;

// The workbook of one drawing: its own over `output`, or `shared`.
class WorkbookOutput {
 public:
  WorkbookOutput(ByteSink& output, xlsx::Workbook* shared);
  xlsx::Workbook& Book() { return shared_ ? *shared_ : *own_; }
  // Whether the drawing's sink opens and completes the workbook.
  bool Owns() const { return shared_ == nullptr; }

 private:
  std::unique_ptr<xlsx::Workbook> own_;
  xlsx::Workbook* shared_;
};

// A workbook over `output`, built in the system's scratch folder.
std::unique_ptr<xlsx::Workbook> MakeWorkbook(ByteSink& output);

// The name a drawing's sheet is given: the drawing's file name without its
// extension, in UTF-8 ("Sheet1" for standard input).
std::string SheetNameOf(const Conversion& conversion);
// What the drawing column says: the drawing's file name, in UTF-8.
std::string DrawingNameOf(const Conversion& conversion);

// After a drawing converted into `sheets`: a warning when it took more than one.
void AddSheetNotes(const Conversion& conversion, const std::vector<std::string>& sheets,
                   ModeEnd& end);

}  // namespace toridasu::cli
