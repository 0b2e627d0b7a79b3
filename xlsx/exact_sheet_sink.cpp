#include "xlsx/exact_sheet_sink.h"

#include "engine/conversion_failure.h"
#include "engine/csv_quote.h"
#include "text/shift_jis.h"

namespace toridasu::xlsx {

void ExactSheetSink::Begin() {
  // The CSV file's header, "X","Y","Z","文字内容", in UTF-8.
  sheets_.Begin({"X", "Y", "Z", "\xE6\x96\x87\xE5\xAD\x97\xE5\x86\x85\xE5\xAE\xB9"},
                {true, true, true, false});
}

void ExactSheetSink::AddCoordinate(const RecordCoordinate& coordinate) {
  char text[kMaxRealText];
  sheets_.AddNumber({text, coordinate.Format('.', text)});
}

void ExactSheetSink::Take(const ExactRecord& record) {
  // A text that ends in half a character fails as it does for the CSV file.
  CheckQuotable(record.text);
  utf8_.clear();
  if (!text::AppendShiftJisAsUtf8(record.text, replace_, utf8_)) {
    ConversionFailure failure;
    failure.kind = FailureKind::kNotCodePage932;
    throw failure;
  }
  AddCoordinate(record.x);
  AddCoordinate(record.y);
  AddCoordinate(record.z);
  sheets_.AddText(utf8_, 0);
  sheets_.EndRow();
}

}  // namespace toridasu::xlsx
