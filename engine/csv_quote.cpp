#include "engine/csv_quote.h"

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

}  // namespace toridasu
