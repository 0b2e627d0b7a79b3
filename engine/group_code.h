// Group-code lines as numbers. The rules are lenient on purpose: a code line
// never fails, and whatever stands after the number is ignored.
#pragma once

#include <cstdint>
#include <string_view>

namespace toridasu {

// Codes the conversion gives a meaning to.
namespace group_code {
constexpr int32_t kType = 0;
constexpr int32_t kText = 1;
constexpr int32_t kName = 2;
constexpr int32_t kX = 10;
constexpr int32_t kY = 20;
constexpr int32_t kZ = 30;
// Group 101 starts an embedded object: another object's data carried inside
// the entity, from there to the entity's end (the next code 0), such as the
// column frame of an MTEXT. Its groups use the entity's own codes for its own
// frame (10/20/30 a direction, 11/21/31 a point, 40 to 45 and 70 to 74 its
// sizes and counts), so none of them is the entity's: a reader takes no
// group of the entity's after it. The one exception is the default mode's text, which
// still takes a later group 1 (see ReadTextEntity).
constexpr int32_t kEmbeddedObject = 101;
}  // namespace group_code

// A group-code line as a number: an empty line gives -1, stray text ends the
// number, and the value is held as a 32-bit pattern.
int32_t GroupCodeOf(std::string_view codeText);

// The same, with the common shapes (three right-aligned columns; spaces, then
// up to nine digits) read inline. Everything else goes to GroupCodeOf.
inline int32_t GroupCodeOfFast(std::string_view text) {
  if (text.size() == 3) {
    const uint32_t a = static_cast<unsigned char>(text[0]);
    const uint32_t b = static_cast<unsigned char>(text[1]) - uint32_t{'0'};
    const uint32_t c = static_cast<unsigned char>(text[2]) - uint32_t{'0'};
    if (c <= 9) {
      if (a == ' ' && text[1] == ' ') return static_cast<int32_t>(c);
      if (a == ' ' && b <= 9) return static_cast<int32_t>(b * 10 + c);
      if (a - uint32_t{'0'} <= 9 && b <= 9)
        return static_cast<int32_t>((a - '0') * 100 + b * 10 + c);
    }
    return GroupCodeOf(text);
  }
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  // Nine digits never pass 2^31, so no range test is needed on this path.
  if (i == text.size() || text.size() - i > 9) return GroupCodeOf(text);
  uint32_t value = 0;
  for (; i < text.size(); ++i) {
    const uint32_t digit = static_cast<unsigned char>(text[i]) - uint32_t{'0'};
    if (digit > 9) return GroupCodeOf(text);
    value = value * 10 + digit;
  }
  return static_cast<int32_t>(value);
}

}  // namespace toridasu
