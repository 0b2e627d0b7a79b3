// The default mode's records as the sheets of a workbook: X, Y and Z as
// numbers, the text decoded from code page 932 (bytes it lacks fail the
// drawing, or become U+FFFD when the user asked for replacements) and kept
// as it stands, double quotes included.
#pragma once

#include <string>
#include <vector>

#include "engine/record_sink.h"
#include "xlsx/drawing_sheets.h"

namespace toridasu::xlsx {

class ExactSheetSink final : public ExactRecordSink {
 public:
  // The drawing's sheets in `book`, the first named after `sheetName`; a
  // sink that owns the workbook opens and completes it.
  ExactSheetSink(Workbook& book, std::string sheetName, bool replace, bool ownsWorkbook)
      : sheets_(book, std::move(sheetName), ownsWorkbook), replace_(replace) {}

  void Begin() override;
  void Take(const ExactRecord& record) override;
  void Commit() override { sheets_.Commit(); }
  void Abandon() override { sheets_.Abandon(); }
  const IoEnd* Output() const override { return sheets_.Output(); }

  const std::vector<std::string>& Sheets() const { return sheets_.Sheets(); }

 private:
  void AddCoordinate(const RecordCoordinate& coordinate);

  DrawingSheets sheets_;
  const bool replace_;
  std::string utf8_;
};

}  // namespace toridasu::xlsx
