#include "text/text_codes.h"

#include <array>
#include <cstdint>

#include "text/ascii_case.h"
#include "text/code_page.h"

namespace toridasu::text {
namespace {

int HexValue(char ch) {
  if (ch >= '0' && ch <= '9') return ch - '0';
  if (ch >= 'A' && ch <= 'F') return ch - 'A' + 10;
  if (ch >= 'a' && ch <= 'f') return ch - 'a' + 10;
  return -1;
}

// The value of four hex digits at `text[pos]`, or -1.
long Hex4(std::string_view text, std::size_t pos) {
  if (pos + 4 > text.size()) return -1;
  long value = 0;
  for (std::size_t i = pos; i < pos + 4; ++i) {
    const int digit = HexValue(text[i]);
    if (digit < 0) return -1;
    value = value * 16 + digit;
  }
  return value;
}

// The code pages that "\M+n" numbers; 0 where the number names none we read
// (4 is Johab).
constexpr int kMifCodePages[] = {0, 932, 950, 949, 0, 936};

bool StartsWith(std::string_view text, std::size_t pos, std::string_view prefix) {
  return text.substr(pos, prefix.size()) == prefix;
}

bool IsDigit(char ch) { return ch >= '0' && ch <= '9'; }

// Which bytes may start a code: 1 in any text, 2 in MTEXT only.
constexpr std::array<uint8_t, 256> kCodeStarts = [] {
  std::array<uint8_t, 256> starts{};
  starts['%'] = starts['\\'] = starts['^'] = 1;
  starts['{'] = starts['}'] = 2;
  return starts;
}();

}  // namespace

std::size_t AppendPlainText(std::string_view text, std::size_t pos, bool braces, std::string& out) {
  const uint8_t mask = braces ? 3 : 1;
  std::size_t end = pos;
  while (end < text.size() && !(kCodeStarts[static_cast<unsigned char>(text[end])] & mask)) ++end;
  out.append(text.data() + pos, end - pos);
  return end;
}

std::size_t AppendUnicodeEscape(std::string_view text, std::size_t pos, std::string& out) {
  if (StartsWith(text, pos, "\\U+")) {
    const long unit = Hex4(text, pos + 3);
    if (unit < 0 || (unit >= 0xDC00 && unit < 0xE000)) return 0;
    if (unit >= 0xD800 && unit < 0xDC00) {
      // A character beyond the first plane, written as two escapes.
      const long low = StartsWith(text, pos + 7, "\\U+") ? Hex4(text, pos + 10) : -1;
      if (low < 0xDC00 || low >= 0xE000) return 0;
      AppendUtf8(static_cast<char32_t>(0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00)), out);
      return 14;
    }
    AppendUtf8(static_cast<char32_t>(unit), out);
    return 7;
  }
  if (StartsWith(text, pos, "\\M+") && pos + 3 < text.size()) {
    const int index = text[pos + 3] - '0';
    const long code = Hex4(text, pos + 4);
    if (index < 1 || index > 5 || kMifCodePages[index] == 0 || code < 0x100) return 0;
    const char bytes[2] = {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
    const std::size_t before = out.size();
    if (!AppendAsUtf8(std::string_view(bytes, 2), kMifCodePages[index], false, out)) return 0;
    // Two single-byte characters are no double-byte code.
    if (!IsValidInCodePage(std::string_view(bytes, 1), kMifCodePages[index])) return 8;
    out.resize(before);
    return 0;
  }
  return 0;
}

std::size_t AppendPercentCode(std::string_view text, std::size_t pos, bool allCodes,
                              std::string& out) {
  if (!StartsWith(text, pos, "%%") || pos + 2 >= text.size()) return 0;
  const char code = AsciiLower(text[pos + 2]);
  const char* decoded = code == 'd'   ? "\xC2\xB0"  // degree sign
                        : code == 'p' ? "\xC2\xB1"  // plus-minus sign
                        : code == 'c' ? "\xC3\x98"  // diameter, as Ø
                                      : nullptr;
  if (!decoded && allCodes) {
    // Underline, overline and strike-through switches show no character.
    decoded = code == '%' ? "%" : (code == 'u' || code == 'o' || code == 'k') ? "" : nullptr;
  }
  if (decoded) {
    out += decoded;
    return 3;
  }
  if (!allCodes || pos + 4 >= text.size() || !IsDigit(text[pos + 2]) || !IsDigit(text[pos + 3]) ||
      !IsDigit(text[pos + 4])) {
    return 0;
  }
  const int number =
      (text[pos + 2] - '0') * 100 + (text[pos + 3] - '0') * 10 + (text[pos + 4] - '0');
  if (number < 32) return 0;  // no control characters from a text's codes
  // Text fonts keep the degree, plus-minus and diameter signs at 127 to 129;
  // old drawings write them so ("90%%127" for an angle of 90 degrees).
  if (number >= 127 && number <= 129) {
    out += number == 127 ? "\xC2\xB0" : number == 128 ? "\xC2\xB1" : "\xC3\x98";
  } else {
    AppendUtf8(static_cast<char32_t>(number), out);
  }
  return 5;
}

std::size_t AppendCaretCode(std::string_view text, std::size_t pos, std::string& out) {
  if (text[pos] != '^' || pos + 1 >= text.size()) return 0;
  const char next = text[pos + 1];
  if (next == ' ') {
    out += '^';
  } else if (next >= '@' && next <= '_') {
    out += static_cast<char>(next - '@');
  } else if (next >= 'a' && next <= 'z') {  // writers put the letters in either case
    out += static_cast<char>(next - '`');
  } else {
    return 0;
  }
  return 2;
}

std::string DecodeTextCodes(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  std::size_t i = 0;
  while ((i = AppendPlainText(utf8, i, false, out)) < utf8.size()) {
    std::size_t length = 0;
    switch (utf8[i]) {
      case '%': length = AppendPercentCode(utf8, i, true, out); break;
      case '\\': length = AppendUnicodeEscape(utf8, i, out); break;
      case '^': length = AppendCaretCode(utf8, i, out); break;
    }
    if (length == 0) {
      out += utf8[i];
      length = 1;
    }
    i += length;
  }
  return out;
}

std::size_t ReplaceControlCharacters(std::string& utf8) {
  std::size_t count = 0;
  std::string replaced;
  std::size_t copied = 0;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const auto byte = static_cast<unsigned char>(utf8[i]);
    std::size_t length = 0;
    if (byte < 0x20) {
      length = byte == '\t' || byte == '\n' || byte == '\r' ? 0 : 1;
    } else if (byte == 0x7F) {
      length = 1;
    } else if (byte == 0xC2 && i + 1 < utf8.size()) {
      const auto second = static_cast<unsigned char>(utf8[i + 1]);
      length = second >= 0x80 && second <= 0x9F ? 2 : 0;  // U+0080 to U+009F
    }
    if (length == 0) continue;
    replaced.append(utf8, copied, i - copied);
    replaced += "\xEF\xBF\xBD";  // U+FFFD
    copied = i + length;
    i += length - 1;
    ++count;
  }
  if (count == 0) return 0;
  replaced.append(utf8, copied, std::string::npos);
  utf8 = std::move(replaced);
  return count;
}

bool IsBlank(std::string_view utf8) {
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const char ch = utf8[i];
    if (ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r') continue;
    if (utf8.substr(i, 3) == "\xE3\x80\x80") {  // the ideographic space
      i += 2;
      continue;
    }
    return false;
  }
  return true;
}

}  // namespace toridasu::text
