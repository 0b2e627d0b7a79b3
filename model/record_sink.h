// Where the full reading's records go: a CSV file today, any table tomorrow.
// A sink is begun once with the columns, takes the records in the order they
// are found, and is then committed or, after a failure, abandoned.
#pragma once

#include <vector>

#include "model/columns.h"
#include "model/text_record.h"

namespace toridasu {
class IoEnd;
}

namespace toridasu::model {

class RecordSink {
 public:
  virtual ~RecordSink() = default;
  // Makes the output and writes what comes before the records (a header).
  virtual void Begin(const std::vector<Column>& columns) = 0;
  // Raises what fails the conversion: the output's own error, or the
  // conversion's failure value for a text the output cannot hold.
  virtual void Take(const TextRecord& record) = 0;
  // The output complete and closed.
  virtual void Commit() = 0;
  // After a failure, at any point after construction: closes without
  // finishing and takes away the output that Begin made. Never raises.
  virtual void Abandon() = 0;
  // The bytes' end, for its first failure; null when the sink has none.
  virtual const IoEnd* Output() const { return nullptr; }
};

}  // namespace toridasu::model
