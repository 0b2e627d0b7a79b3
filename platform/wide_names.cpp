#include "platform/wide_names.h"

namespace toridasu {
namespace {

constexpr char16_t kReplacement = u'\uFFFD';

bool IsHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// The character that begins at `utf8[at]`, and its length in bytes; 0 when
// the bytes there are no UTF-8 (a shortest form of at most U+10FFFF).
std::size_t DecodeAt(std::string_view utf8, std::size_t at, char32_t* value) {
  const unsigned char lead = static_cast<unsigned char>(utf8[at]);
  std::size_t length;
  if (lead < 0x80) {
    *value = lead;
    return 1;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    *value = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    *value = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    *value = lead & 0x07;
  } else {
    return 0;
  }
  if (utf8.size() - at < length) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    const unsigned char next = static_cast<unsigned char>(utf8[at + i]);
    if ((next & 0xC0) != 0x80) return 0;
    *value = (*value << 6) | (next & 0x3F);
  }
  constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (*value < kSmallest[length] || *value > 0x10FFFF) return 0;
  return length;
}

void AppendUtf8(char32_t value, std::string& out) {
  if (value < 0x80) {
    out += static_cast<char>(value);
  } else if (value < 0x800) {
    out += static_cast<char>(0xC0 | (value >> 6));
    out += static_cast<char>(0x80 | (value & 0x3F));
  } else if (value < 0x10000) {
    out += static_cast<char>(0xE0 | (value >> 12));
    out += static_cast<char>(0x80 | ((value >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (value & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (value >> 18));
    out += static_cast<char>(0x80 | ((value >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((value >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (value & 0x3F));
  }
}

}  // namespace

std::u16string Utf16FromUtf8(std::string_view utf8) {
  std::u16string utf16;
  utf16.reserve(utf8.size());
  for (std::size_t at = 0; at < utf8.size();) {
    char32_t value = 0;
    const std::size_t length = DecodeAt(utf8, at, &value);
    if (length == 0) {
      utf16 += kReplacement;
      ++at;
      continue;
    }
    if (value >= 0x10000) {
      value -= 0x10000;
      utf16 += static_cast<char16_t>(0xD800 + (value >> 10));
      utf16 += static_cast<char16_t>(0xDC00 + (value & 0x3FF));
    } else {
      utf16 += static_cast<char16_t>(value);  // a lone surrogate too
    }
    at += length;
  }
  return utf16;
}

std::string Utf8FromUtf16(std::u16string_view utf16) {
  std::string utf8;
  utf8.reserve(utf16.size() * 3);
  for (std::size_t at = 0; at < utf16.size(); ++at) {
    char32_t value = utf16[at];
    if (IsHighSurrogate(value) && at + 1 < utf16.size() && IsLowSurrogate(utf16[at + 1])) {
      value = 0x10000 + ((value - 0xD800) << 10) + (utf16[at + 1] - 0xDC00);
      ++at;
    }
    AppendUtf8(value, utf8);
  }
  return utf8;
}

}  // namespace toridasu
