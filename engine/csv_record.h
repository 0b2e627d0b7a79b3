// The lines of a CSV file: the fixed header and one record per text entity.
#pragma once

#include <string_view>

#include "engine/csv_destination.h"
#include "engine/record_coordinate.h"

namespace toridasu {

// The header line: "X","Y","Z","文字内容" in code page 932.
extern const std::string_view kCsvHeader;

void WriteCsvHeader(CsvDestination& destination);
// One record: the three coordinates, written with `decimalSeparator`, and
// the quoted text. With "," as the separator each number is quoted too, so
// that the record still splits into four fields. Nothing of it is written
// when the text cannot be quoted (ERangeError).
void WriteTextRecord(CsvDestination& destination, const RecordCoordinate& x,
                     const RecordCoordinate& y, const RecordCoordinate& z, std::string_view text,
                     char decimalSeparator);

}  // namespace toridasu
