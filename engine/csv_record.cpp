#include "engine/csv_record.h"

#include <string>

#include "engine/csv_quote.h"
#include "engine/format_real.h"

namespace toridasu {

// "X","Y","Z","文字内容"
const std::string_view kCsvHeader =
    "\x22X\x22,\x22Y\x22,\x22Z\x22,\x22\x95\xB6\x8E\x9A\x93\xE0\x97\x65\x22";

void WriteCsvHeader(CsvDestination& destination) { destination.WriteLine(kCsvHeader); }

void WriteTextRecord(CsvDestination& destination, double x, double y, double z,
                     std::string_view text, char decimalSeparator) {
  // Assembled in full first, so a text that cannot be quoted writes nothing.
  thread_local std::string line;
  line.clear();
  char number[kMaxRealText];
  // A number holds no double quote, so quoting it is only enclosing it.
  const bool quoteNumbers = decimalSeparator == ',';
  for (const double value : {x, y, z}) {
    if (quoteNumbers) line += '"';
    line.append(number, FormatReal(value, decimalSeparator, number));
    if (quoteNumbers) line += '"';
    line += ',';
  }
  AppendQuotedCsvText(line, text);
  destination.WriteLine(line);
}

}  // namespace toridasu
