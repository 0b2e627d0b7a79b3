// The full reading's CSV file: the header line, then one line per text, in
// UTF-8 or Shift-JIS. In Shift-JIS the diameter signs are written as φ and
// U+FFFD as "?"; any other character that Shift-JIS cannot hold fails the
// drawing rather than vanish, unless the user asked for replacements.
#pragma once

#include <string>
#include <vector>

#include "engine/csv_destination.h"
#include "io/byte_sink.h"
#include "model/columns.h"
#include "model/record_sink.h"

namespace toridasu::full {

struct OutputChoice {
  std::vector<model::Column> columns = model::DefaultColumns();
  bool utf8 = false;     // else Shift-JIS
  bool bom = false;      // with utf8: a byte-order mark first
  bool replace = false;  // characters Shift-JIS cannot hold become "?"
};

class CsvRecordSink final : public model::RecordSink {
 public:
  // Writes into `out`, which outlives the sink, in the encoding of `choice`
  // (its columns are Begin's), with the decimal separator `separator`;
  // `drawing` (UTF-8) is what the drawing column says.
  CsvRecordSink(ByteSink& out, const OutputChoice& choice, char separator, std::string drawing = {})
      : out_(out), choice_(choice), separator_(separator), drawing_(std::move(drawing)) {}

  void Begin(const std::vector<model::Column>& columns) override;
  void Take(const model::TextRecord& record) override;
  void Commit() override;
  void Abandon() override;
  const IoEnd* Output() const override { return &out_; }

 private:
  // Raises ConversionFailure (kUnencodable) when the line cannot be written.
  void WriteUtf8Line(const std::string& utf8, uint64_t line);

  ByteSink& out_;
  const OutputChoice& choice_;
  char separator_;
  const std::string drawing_;
  std::vector<model::Column> columns_;
  CsvDestination destination_;
  std::string encoded_;
  std::string standIns_;  // a line with the stand-ins of characters Shift-JIS lacks
};

}  // namespace toridasu::full
