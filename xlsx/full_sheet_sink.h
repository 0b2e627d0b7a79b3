// The full mode's records as the sheets of a workbook: the columns the user
// chose, under their names; coordinates, heights, angles and `visible` as
// numbers, every other column as text.
#pragma once

#include <string>
#include <vector>

#include "model/record_sink.h"
#include "xlsx/drawing_sheets.h"

namespace toridasu::xlsx {

class FullSheetSink final : public model::RecordSink {
 public:
  // The drawing's sheets in `book`, the first named after `sheetName`;
  // `drawing` is what the drawing column says (UTF-8). A sink that owns the
  // workbook opens and completes it.
  FullSheetSink(Workbook& book, std::string sheetName, std::string drawing, bool ownsWorkbook)
      : sheets_(book, std::move(sheetName), ownsWorkbook), drawing_(std::move(drawing)) {}

  void Begin(const std::vector<model::Column>& columns) override;
  void Take(const model::TextRecord& record) override;
  void Commit() override { sheets_.Commit(); }
  void Abandon() override { sheets_.Abandon(); }
  const IoEnd* Output() const override { return sheets_.Output(); }

  const std::vector<std::string>& Sheets() const { return sheets_.Sheets(); }

 private:
  void AddNumber(double value);

  DrawingSheets sheets_;
  const std::string drawing_;
  std::vector<model::Column> columns_;
};

}  // namespace toridasu::xlsx
