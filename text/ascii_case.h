// Letter case of ASCII letters only. Names in drawings, on the command line
// and in file names are compared this way: every other byte, the bytes of a
// double-byte character included, stands for itself, whatever the user's
// locale, so both builds fold alike.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace toridasu::text {

constexpr char AsciiUpper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

constexpr char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// `text` with its ASCII letters in capitals.
inline std::string AsciiUpperCase(std::string_view text) {
  std::string folded(text);
  for (char& c : folded) c = AsciiUpper(c);
  return folded;
}

// Whether `text` and `other` differ in the case of ASCII letters at most.
constexpr bool SameIgnoringAsciiCase(std::string_view text, std::string_view other) {
  if (text.size() != other.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (AsciiUpper(text[i]) != AsciiUpper(other[i])) return false;
  }
  return true;
}

}  // namespace toridasu::text
