#include "base/exact_decimals.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace toridasu {

double DoubleOfDecimal(std::string_view text) {
  double value = 0.0;
#if defined(__cpp_lib_to_chars)
  std::from_chars(text.data(), text.data() + text.size(), value);
#else
  // No locale is ever set: '.' is the C library's separator.
  value = std::strtod(std::string(text).c_str(), nullptr);
#endif
  return value;
}

std::string FixedDecimals(double value, int decimals) {
  char digits[400];  // the largest double, fixed, with every decimal place
#if defined(__cpp_lib_to_chars)
  const std::to_chars_result result =
      std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, decimals);
  return std::string(digits, result.ec == std::errc{} ? result.ptr : digits);
#else
  const int size = std::snprintf(digits, sizeof digits, "%.*f", decimals, value);
  return std::string(digits, size > 0 && size < static_cast<int>(sizeof digits) ? size : 0);
#endif
}

}  // namespace toridasu
