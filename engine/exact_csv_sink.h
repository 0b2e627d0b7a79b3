// The exact conversion's CSV file: the fixed header and one record per text,
// as the drawing's Shift-JIS bytes, or as UTF-8 for users who ask for it.
#pragma once

#include <string>

#include "engine/csv_destination.h"
#include "engine/record_sink.h"
#include "io/byte_sink.h"

namespace toridasu {

struct ExactCsvChoice {
  char decimalSeparator = '.';
  bool utf8 = false;     // else the drawing's own bytes
  bool bom = false;      // with utf8: a byte-order mark first
  bool replace = false;  // with utf8: bytes that code page 932 lacks become U+FFFD
};

class ExactCsvSink final : public ExactRecordSink {
 public:
  // Writes into `out`, which outlives the sink.
  ExactCsvSink(ByteSink& out, const ExactCsvChoice& choice);

  void Begin() override;
  void Take(const ExactRecord& record) override;
  void Commit() override;
  void Abandon() override;
  const IoEnd* Output() const override { return &out_; }

 private:
  ByteSink& out_;
  ExactCsvChoice choice_;
  CsvDestination destination_;
};

}  // namespace toridasu
