// Writing coordinates into CSV records. The digits are computed in the
// extended format (64-bit significand, round to nearest, ties to even) in
// integer arithmetic, so every build gives the same text.
#pragma once

#include <cstddef>
#include <string>

namespace toridasu {

// The longest text FormatReal writes.
constexpr std::size_t kMaxRealText = 22;

// The text of a real as records hold it; `separator` is the decimal separator
// byte. Writes 1 to 22 bytes into `out` and returns their number.
std::size_t FormatReal(double value, char separator, char* out);
std::string FormatReal(double value, char separator);

}  // namespace toridasu
