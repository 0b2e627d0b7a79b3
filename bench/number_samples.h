// Coordinate texts and values as drawings hold them, for timing the number
// code: short fixed-point texts ("12345.6789"), the 16-digit texts that most
// drawing programs write ("146.8403717847312"), and zeros ("0.0").
#pragma once

#include <string>
#include <vector>

namespace toridasu::bench {

enum class NumberSample { kShort, kLong, kZero };

const char* NumberSampleName(NumberSample kind);

// 1024 value lines of one kind, from a fixed seed.
std::vector<std::string> CoordinateTexts(NumberSample kind);

// The doubles those texts stand for.
std::vector<double> CoordinateValues(NumberSample kind);

}  // namespace toridasu::bench
