// The text field of a record and the writer's own double-byte rule (lead
// bytes 0x80-0x9F and 0xE0-0xFD), fixed here: it deliberately does not ask
// the platform.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace toridasu {

inline bool IsWriterLeadByte(char c) {
  const unsigned char b = static_cast<unsigned char>(c);
  return (b >= 0x80 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFD);
}

// Hands the field to `sink` (called with string_views) in pieces: the
// opening double quote, runs of the text, the full-width "”" (0x81 0x68) for
// each double quote that is a character by itself, the closing double quote.
// False, with the closing quote not given, when the last character is a lone
// lead byte: such a text cannot be quoted.
template <class Sink>
bool QuoteCsvTextInPieces(std::string_view text, Sink&& sink) {
  sink(std::string_view("\"", 1));
  std::size_t run = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (IsWriterLeadByte(c)) {
      if (i + 1 >= text.size()) return false;
      i += 2;
    } else if (c == '"') {
      sink(text.substr(run, i - run));
      sink(std::string_view("\x81\x68", 2));  // ”
      run = ++i;
    } else {
      ++i;
    }
  }
  sink(text.substr(run));
  sink(std::string_view("\"", 1));
  return true;
}

// Appends the text field to `out`. Raises ERangeError when the last
// character is a lone lead byte, leaving `out` as it was.
void AppendQuotedCsvText(std::string& out, std::string_view text);
// Raises ERangeError when the text cannot be quoted.
void CheckQuotable(std::string_view text);

}  // namespace toridasu
