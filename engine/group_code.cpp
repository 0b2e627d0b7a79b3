#include "engine/group_code.h"

namespace toridasu {
namespace {

constexpr uint32_t kDecimalLimit = 214748364;  // one more digit could pass 2^31
constexpr uint32_t kHexLimit = 268435455;      // 2^28 - 1

int HexDigit(unsigned char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

int32_t ReadHex(std::string_view text, std::size_t i) {
  uint32_t value = 0;
  for (; i < text.size(); ++i) {
    const int digit = HexDigit(static_cast<unsigned char>(text[i]));
    if (digit < 0 || value > kHexLimit) break;
    value = value * 16 + static_cast<uint32_t>(digit);
  }
  return static_cast<int32_t>(value);
}

}  // namespace

int32_t GroupCodeOf(std::string_view text) {
  if (text.empty()) return -1;
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  bool signed_ = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
    negative = text[i] == '-';
    signed_ = true;
    ++i;
  }
  if (!signed_ && i < text.size()) {
    const char c = text[i];
    if (c == '$' || c == 'x' || c == 'X') return ReadHex(text, i + 1);
    if (c == '0' && i + 1 < text.size() && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
      return ReadHex(text, i + 2);
    }
  }
  uint32_t value = 0;
  for (; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c < '0' || c > '9' || value > kDecimalLimit) {
      // A stray byte keeps the digits read so far, without the sign; a NUL
      // ends the text as its physical end does.
      if (c == '\0') break;
      return static_cast<int32_t>(value);
    }
    value = value * 10 + (c - '0');
  }
  if (negative) value = 0u - value;
  return static_cast<int32_t>(value);
}

}  // namespace toridasu
