#include "engine/csv_quote.h"

#include <algorithm>

#include "base/errors.h"

namespace toridasu {
namespace {

constexpr char kQuote = '"';
constexpr std::string_view kFullWidthQuote = "\x81\x68";  // ”

bool IsWriterLeadByte(char c) {
  const unsigned char b = static_cast<unsigned char>(c);
  return (b >= 0x80 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFD);
}

}  // namespace

int32_t MbLength(std::string_view text) {
  int32_t count = 0;
  for (std::size_t i = 0; i < text.size(); i += IsWriterLeadByte(text[i]) ? 2 : 1) ++count;
  return count;
}

std::string MbCopy(std::string_view text, int32_t index, int32_t count) {
  const int32_t n = MbLength(text);
  if (n < index || count <= 0) return {};
  const int64_t last = std::min<int64_t>(int64_t{index} + count - 1, n);
  std::string result;
  std::size_t i = 0;
  for (int64_t number = 1; number <= last; ++number) {
    const bool lead = IsWriterLeadByte(text[i]);
    if (number >= index) {
      if (lead && i + 1 >= text.size()) RaiseRangeError();
      result.append(text.substr(i, lead ? 2 : 1));
    }
    i += lead ? 2 : 1;
  }
  return result;
}

void AppendQuotedCsvText(std::string& out, std::string_view text) {
  const std::size_t start = out.size();
  out.reserve(start + text.size() + text.size() / 8 + 2);
  out += kQuote;
  std::size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (IsWriterLeadByte(c)) {
      if (i + 1 >= text.size()) {
        out.resize(start);
        RaiseRangeError();
      }
      out.append(text.data() + i, 2);
      i += 2;
    } else {
      if (c == kQuote) {
        out += kFullWidthQuote;
      } else {
        out += c;
      }
      ++i;
    }
  }
  out += kQuote;
}

std::string QuoteCsvText(std::string_view text) {
  std::string out;
  AppendQuotedCsvText(out, text);
  return out;
}

}  // namespace toridasu
