// Where the exact conversion's records go: a CSV file today, any table
// tomorrow. A sink is begun once, takes the records in the drawing's order,
// and is then committed or, after a failure, abandoned.
#pragma once

#include <cstdint>
#include <string_view>

#include "engine/record_coordinate.h"

namespace toridasu {

class IoEnd;

// One text entity as the exact conversion reads it: its point as the record
// writes it, and its text as the drawing's own bytes (code page 932).
struct ExactRecord {
  const RecordCoordinate& x;
  const RecordCoordinate& y;
  const RecordCoordinate& z;
  std::string_view text;  // never empty
};

class ExactRecordSink {
 public:
  virtual ~ExactRecordSink() = default;
  // Makes the output and writes what comes before the records (a header).
  virtual void Begin() = 0;
  // Raises the error that fails the conversion; nothing of the record is
  // written then.
  virtual void Take(const ExactRecord& record) = 0;
  // The output complete and closed.
  virtual void Commit() = 0;
  // After a failure, at any point after construction: closes without
  // finishing and takes away the output that Begin made. Never raises.
  virtual void Abandon() = 0;
  // The bytes' end, for its first failure; null when the sink has none.
  virtual const IoEnd* Output() const { return nullptr; }
};

}  // namespace toridasu
