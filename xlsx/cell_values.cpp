#include "xlsx/cell_values.h"

#include <algorithm>

#include "base/exact_decimals.h"

namespace toridasu::xlsx {
namespace {

bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// Whether "_xHHHH_" starts at `at`.
bool EscapeAt(std::string_view text, std::size_t at) {
  if (text.size() - at < 7 || text[at] != '_' || (text[at + 1] != 'x' && text[at + 1] != 'X') ||
      text[at + 6] != '_')
    return false;
  return std::all_of(text.begin() + at + 2, text.begin() + at + 6, IsHexDigit);
}

// The code point of the UTF-8 sequence at `at`, and its length.
char32_t DecodeAt(std::string_view utf8, std::size_t at, std::size_t& length) {
  const unsigned char lead = static_cast<unsigned char>(utf8[at]);
  length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
  length = std::min(length, utf8.size() - at);
  char32_t c = length == 1 ? lead : lead & (0x7F >> length);
  for (std::size_t i = 1; i < length; ++i) c = (c << 6) | (utf8[at + i] & 0x3F);
  return c;
}

// East Asian wide and full-width characters, roughly as terminals and
// spreadsheets show them.
bool IsWide(char32_t c) {
  return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) ||
         (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
         (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
         (c >= 0xFFE0 && c <= 0xFFE6) || c >= 0x20000;
}

}  // namespace

std::size_t Utf16Length(std::string_view utf8) {
  std::size_t units = 0;
  for (const char c : utf8) {
    const unsigned char byte = static_cast<unsigned char>(c);
    if ((byte & 0xC0) != 0x80) units += byte >= 0xF0 ? 2 : 1;
  }
  return units;
}

void AppendCellText(std::string_view utf8, std::string& out) {
  constexpr std::string_view kSpecial("_\0\xEF", 3);
  std::size_t run = 0;
  for (std::size_t at = utf8.find_first_of(kSpecial); at != std::string_view::npos;
       at = utf8.find_first_of(kSpecial, at + 1)) {
    const std::string_view rest = utf8.substr(at);
    if (rest[0] == '\0') {
      // The library takes texts as C strings, which end at a zero byte.
      out.append(utf8.substr(run, at - run));
      out += "_x0000_";
      run = at + 1;
    } else if (rest.substr(0, 3) == "\xEF\xBF\xBE" || rest.substr(0, 3) == "\xEF\xBF\xBF") {
      // U+FFFE and U+FFFF: characters that XML cannot hold at all.
      out.append(utf8.substr(run, at - run));
      out += rest[2] == '\xBE' ? "_xFFFE_" : "_xFFFF_";
      run = at + 3;
    } else if (rest[0] == '_' && EscapeAt(utf8, at)) {
      out.append(utf8.substr(run, at - run));
      out += "_x005F";
      run = at;
    }
  }
  out.append(utf8.substr(run));
}

double ParsedNumber(std::string_view text) { return DoubleOfDecimal(text); }

std::size_t DisplayWidth(std::string_view utf8) {
  std::size_t widest = 0;
  std::size_t width = 0;
  for (std::size_t at = 0, length = 0; at < utf8.size(); at += length) {
    const char32_t c = DecodeAt(utf8, at, length);
    if (c == '\n') {
      widest = std::max(widest, width);
      width = 0;
    } else {
      width += IsWide(c) ? 2 : 1;
    }
  }
  return std::max(widest, width);
}

}  // namespace toridasu::xlsx
