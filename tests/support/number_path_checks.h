// The number code's short paths against its full paths. Each check gives
// what differs, or an empty text when the two agree: the unit tests report
// it, the fuzz target stops on it.
#pragma once

#include <string>
#include <string_view>

#include "engine/number_paths.h"
#include "engine/record_coordinate.h"

namespace toridasu {

// A reading of `text` against the one it must equal: status and exact bits.
std::string ReadingMismatch(std::string_view text, const Coordinate& got, const Coordinate& want);

// FormatReal's bytes for `value` against the full path's.
std::string FormattingMismatch(double value);

// A record's coordinate read from `text` against `full`, the reading it
// must write as: `full` must be valid and give the same bytes.
std::string KeptDigitsMismatch(std::string_view text, const RecordCoordinate& kept,
                               const Coordinate& full);

}  // namespace toridasu
