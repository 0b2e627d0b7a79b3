#include "engine/exact_csv_sink.h"

#include "engine/conversion_failure.h"
#include "engine/csv_record.h"
#include "text/byte_order_mark.h"
#include "text/shift_jis.h"

namespace toridasu {

ExactCsvSink::ExactCsvSink(ByteSink& out, const ExactCsvChoice& choice)
    : out_(out), choice_(choice) {}

void ExactCsvSink::Begin() {
  destination_.Open(out_);
  if (!choice_.utf8) {
    WriteCsvHeader(destination_);
    return;
  }
  std::string header(choice_.bom ? text::kUtf8Bom : std::string_view());
  text::AppendShiftJisAsUtf8(kCsvHeader, false, header);
  destination_.WriteLine(header);
  // Every record line is turned into UTF-8 as a whole, after the record
  // rules of the drawing's own bytes have made it: the same fields, other bytes.
  destination_.SetLineFilter([replace = choice_.replace](std::string_view line, std::string& out) {
    if (!text::AppendShiftJisAsUtf8(line, replace, out)) {
      ConversionFailure failure;
      failure.kind = FailureKind::kNotCodePage932;
      throw failure;
    }
  });
}

void ExactCsvSink::Take(const ExactRecord& record) {
  WriteTextRecord(destination_, record.x, record.y, record.z, record.text,
                  choice_.decimalSeparator);
}

void ExactCsvSink::Commit() { CloseCsvFile(destination_); }

void ExactCsvSink::Abandon() {
  destination_.Abandon();
  out_.RemoveOutput();
}

}  // namespace toridasu
