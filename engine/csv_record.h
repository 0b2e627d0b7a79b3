// The lines of a CSV file: the fixed header and one record per text entity.
#pragma once

#include <string_view>

#include "engine/csv_destination.h"
#include "engine/record_coordinate.h"

namespace toridasu {

// The header line: "X","Y","Z","文字内容" in code page 932.
extern const std::string_view kCsvHeader;

void WriteCsvHeader(CsvDestination& destination);

// The field of one number at `out`: with "," as the decimal separator the
// number is enclosed in double quotes, so that its comma does not split the
// field (a number holds no double quote, so quoting it is only enclosing it).
// `format(at)` writes the number's text at `at` and returns its length.
// Returns the end of the field; it takes at most kMaxRealText + 2 bytes.
template <class Format>
char* PutCsvNumber(char decimalSeparator, char* out, Format&& format) {
  const bool quoted = decimalSeparator == ',';
  if (quoted) *out++ = '"';
  out += format(out);
  if (quoted) *out++ = '"';
  return out;
}
// One record: the three coordinates, written with `decimalSeparator`, and
// the quoted text. With "," as the separator each number is quoted too, so
// that the record still splits into four fields. Nothing of it is written
// when the text cannot be quoted (ERangeError).
void WriteTextRecord(CsvDestination& destination, const RecordCoordinate& x,
                     const RecordCoordinate& y, const RecordCoordinate& z, std::string_view text,
                     char decimalSeparator);

}  // namespace toridasu
