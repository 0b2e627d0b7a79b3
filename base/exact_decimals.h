// A double read from its decimal text, and written with a fixed number of
// decimals, both exactly (correctly rounded): the standard library's
// conversions where it has them, else the C library's, which are exact too
// (the browser's build, whose library lacks the floating-point ones).
#pragma once

#include <string>
#include <string_view>

namespace toridasu {

// The double nearest to the decimal number (with '.') that `text` begins
// with; 0 when it begins with none.
double DoubleOfDecimal(std::string_view text);

// `value` with `decimals` places (0 to 17), '.' as the separator.
std::string FixedDecimals(double value, int decimals);

}  // namespace toridasu
