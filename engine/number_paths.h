// The two paths of the number code, for the tests, the fuzz target and the
// benchmarks that hold them against each other. ParseCoordinate and
// FormatReal take the short path where it applies and the full path
// otherwise; both paths give the same bits and bytes.
#pragma once

#include <cstddef>
#include <string_view>

#include "engine/format_real.h"
#include "engine/parse_coordinate.h"

namespace toridasu::internal {

// The full path: every text through the digit accumulator and the general
// scaling in the extended format.
Coordinate ParseCoordinateFull(std::string_view text);

// The short path: a text of the accepted form with at most 20 significant
// digits and a decimal scale of at most 27 either way (or no significant
// digit at all). False for any other text, valid or not.
bool ParseShortCoordinate(std::string_view text, Coordinate* result);

// The full path: digits from the general scaling.
std::size_t FormatRealFull(double value, char separator, char* out);

// Whether FormatReal takes the short path for this value.
bool FormatsByShortPath(double value);

}  // namespace toridasu::internal
