#include "base/message_format.h"

#include <cctype>

namespace toridasu {
namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

std::string HexText(uint32_t value) {
  char digits[8];
  int count = 0;
  do {
    digits[count++] = kHexDigits[value & 0xF];
    value >>= 4;
  } while (value != 0);
  std::string out;
  while (count > 0) out += digits[--count];
  return out;
}

std::string DecimalText(int32_t value) {
  // Through 64 bits so that the most negative code keeps its sign and digits.
  return std::to_string(static_cast<int64_t>(value));
}

void AppendArgument(std::string& out, char conversion, const FormatArg& arg) {
  if (arg.IsText()) {
    out += arg.Text();
    return;
  }
  switch (conversion) {
    case 'x': out += HexText(arg.Value()); return;
    case 'p': out += AddressText(arg.Value()); return;
    default: out += DecimalText(static_cast<int32_t>(arg.Value())); return;
  }
}

bool IsConversion(char c) { return c == 's' || c == 'd' || c == 'x' || c == 'p'; }

}  // namespace

std::string AddressText(uint32_t address) {
  std::string out(8, '0');
  for (int i = 7; i >= 0; --i, address >>= 4) out[i] = kHexDigits[address & 0xF];
  return out;
}

std::string FormatMessageText(std::string_view pattern, std::initializer_list<FormatArg> args) {
  const FormatArg* list = args.begin();
  std::string out;
  out.reserve(pattern.size() + 32);
  std::size_t next = 0;  // the argument of a placeholder without an index
  std::size_t i = 0;
  while (i < pattern.size()) {
    const char c = pattern[i];
    if (c != '%' || i + 1 >= pattern.size()) {
      out += c;
      ++i;
      continue;
    }
    if (pattern[i + 1] == '%') {
      out += '%';
      i += 2;
      continue;
    }
    // "%" [digits ":"] conversion
    std::size_t j = i + 1;
    std::size_t index = next;
    std::size_t digitsEnd = j;
    while (digitsEnd < pattern.size() &&
           std::isdigit(static_cast<unsigned char>(pattern[digitsEnd])) && digitsEnd - j < 4) {
      ++digitsEnd;
    }
    if (digitsEnd > j && digitsEnd < pattern.size() && pattern[digitsEnd] == ':') {
      index = 0;
      for (std::size_t k = j; k < digitsEnd; ++k) index = index * 10 + (pattern[k] - '0');
      j = digitsEnd + 1;
    }
    const char conversion =
        j < pattern.size() ? static_cast<char>(std::tolower(static_cast<unsigned char>(pattern[j])))
                           : '\0';
    if (!IsConversion(conversion)) {
      out += c;  // not a placeholder: the "%" stands for itself
      ++i;
      continue;
    }
    if (index < args.size()) AppendArgument(out, conversion, list[index]);
    next = index + 1;
    i = j + 1;
  }
  return out;
}

}  // namespace toridasu
