// The full reading's CSV file: the header line, then one line per text, in
// UTF-8 or Shift-JIS. A character that Shift-JIS cannot hold fails the drawing
// rather than vanish, unless the user asked for replacements.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/csv_destination.h"
#include "model/columns.h"
#include "model/text_record.h"

namespace toridasu::full {

// Why a full conversion stopped; `detail` is UTF-8.
struct FullFailure {
  enum class Kind {
    kUnencodable,  // detail: the character that Shift-JIS cannot hold
    kUndefined,    // detail: the drawing's code page number
  };
  Kind kind;
  std::string detail;
  uint64_t line = 0;
};

struct OutputChoice {
  std::vector<model::Column> columns = model::DefaultColumns();
  bool utf8 = false;     // else Shift-JIS
  bool bom = false;      // with utf8: a byte-order mark first
  bool replace = false;  // characters Shift-JIS cannot hold become "?"
};

class RecordOutput {
 public:
  RecordOutput(CsvDestination& destination, const OutputChoice& choice, char separator)
      : destination_(destination), choice_(choice), separator_(separator) {}

  void WriteHeader();
  // Raises FullFailure (kUnencodable) when the line cannot be written.
  void Write(const model::TextRecord& record);
  uint64_t Records() const { return records_; }

 private:
  void WriteUtf8Line(const std::string& utf8, uint64_t line);

  CsvDestination& destination_;
  const OutputChoice& choice_;
  char separator_;
  std::string encoded_;
  uint64_t records_ = 0;
};

}  // namespace toridasu::full
