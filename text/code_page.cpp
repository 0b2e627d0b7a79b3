#include "text/code_page.h"

#include <algorithm>
#include <cstdint>

namespace toridasu::text {
namespace {

struct CodePageTable {
  int codePage;
  bool asciiKept;          // every byte below 0x80 stands for itself
  const uint16_t* bytes;   // code point of each single byte; 0 undefined (but byte 0)
  const uint8_t* leadRow;  // 1 + row of a lead byte; 0 for other bytes
  const uint16_t* pairs;   // rows of `width` code points from `firstTrail`
  int firstTrail;
  int width;
};

struct ShiftJisCode {
  uint16_t codePoint;
  uint16_t bytes;  // one byte when below 0x100
};

#include "code_page_tables.inc"

constexpr char32_t kReplacement = 0xFFFD;

const CodePageTable* FindTable(int codePage) {
  for (const CodePageTable& t : kCodePageTables) {
    if (t.codePage == codePage) return &t;
  }
  return nullptr;
}

// The number of bytes below 0x80 from `text[i]` on.
std::size_t AsciiRun(std::string_view text, std::size_t i) {
  std::size_t j = i;
  while (j < text.size() && static_cast<unsigned char>(text[j]) < 0x80) ++j;
  return j - i;
}

// Reads one UTF-8 sequence at `text[i]`. Returns its length and sets `c`; for
// an ill-formed sequence returns the length of its maximal ill-formed part
// and sets `c` to 0.
std::size_t ReadUtf8(std::string_view text, std::size_t i, char32_t& c) {
  const unsigned char b = static_cast<unsigned char>(text[i]);
  if (b < 0x80) {
    c = b;
    return 1;
  }
  std::size_t length;
  char32_t value;
  unsigned char low = 0x80, high = 0xBF;  // the second byte's range
  if (b >= 0xC2 && b <= 0xDF) {
    length = 2, value = b & 0x1F;
  } else if (b >= 0xE0 && b <= 0xEF) {
    length = 3, value = b & 0x0F;
    if (b == 0xE0) low = 0xA0;
    if (b == 0xED) high = 0x9F;  // no surrogates
  } else if (b >= 0xF0 && b <= 0xF4) {
    length = 4, value = b & 0x07;
    if (b == 0xF0) low = 0x90;
    if (b == 0xF4) high = 0x8F;
  } else {
    c = 0;
    return 1;
  }
  for (std::size_t k = 1; k < length; ++k) {
    if (i + k >= text.size()) {
      c = 0;
      return k;
    }
    const unsigned char next = static_cast<unsigned char>(text[i + k]);
    if (next < (k == 1 ? low : 0x80) || next > (k == 1 ? high : 0xBF)) {
      c = 0;
      return k;
    }
    value = (value << 6) | (next & 0x3F);
  }
  c = value;
  return length;
}

// Reads one character of a table's code page at `text[i]`: returns the
// sequence's length with `c` set, or 1 with `c` 0 when it is undefined (a
// lead byte alone, so that its second byte is read again).
std::size_t ReadTableChar(const CodePageTable& t, std::string_view text, std::size_t i,
                          char32_t& c) {
  const unsigned char b = static_cast<unsigned char>(text[i]);
  const uint8_t row = t.leadRow ? t.leadRow[b] : 0;
  if (row == 0) {
    c = t.bytes[b];
    return 1;
  }
  c = 0;
  if (i + 1 < text.size()) {
    const int column = static_cast<unsigned char>(text[i + 1]) - t.firstTrail;
    if (column >= 0 && column < t.width) c = t.pairs[(row - 1) * t.width + column];
  }
  return c != 0 ? 2 : 1;
}

}  // namespace

bool IsKnownCodePage(int codePage) {
  return codePage == kUtf8CodePage || FindTable(codePage) != nullptr;
}

void AppendUtf8(char32_t c, std::string& out) {
  char bytes[4];
  std::size_t length;
  if (c < 0x80) {
    bytes[0] = static_cast<char>(c), length = 1;
  } else if (c < 0x800) {
    bytes[0] = static_cast<char>(0xC0 | (c >> 6)), length = 2;
  } else if (c < 0x10000) {
    bytes[0] = static_cast<char>(0xE0 | (c >> 12)), length = 3;
  } else {
    bytes[0] = static_cast<char>(0xF0 | (c >> 18)), length = 4;
  }
  for (std::size_t k = 1; k < length; ++k) {
    bytes[k] = static_cast<char>(0x80 | ((c >> (6 * (length - 1 - k))) & 0x3F));
  }
  out.append(bytes, length);
}

bool IsValidUtf8(std::string_view bytes, std::size_t* badOffset) {
  std::size_t i = 0;
  while (i < bytes.size()) {
    if (static_cast<unsigned char>(bytes[i]) < 0x80) {
      ++i;
      continue;
    }
    char32_t c;
    const std::size_t length = ReadUtf8(bytes, i, c);
    if (c == 0) {
      if (badOffset) *badOffset = i;
      return false;
    }
    i += length;
  }
  return true;
}

bool IsValidInCodePage(std::string_view bytes, int codePage) {
  if (codePage == kUtf8CodePage) return IsValidUtf8(bytes);
  const CodePageTable* table = FindTable(codePage);
  if (!table) return false;
  for (std::size_t i = 0; i < bytes.size();) {
    char32_t c;
    const std::size_t length = ReadTableChar(*table, bytes, i, c);
    if (c == 0 && bytes[i] != '\0') return false;
    i += length;
  }
  return true;
}

bool AppendAsUtf8(std::string_view bytes, int codePage, bool replace, std::string& out,
                  std::size_t* badOffset) {
  const CodePageTable* table = FindTable(codePage);
  if (!table && codePage != kUtf8CodePage) {
    if (badOffset) *badOffset = 0;
    return false;
  }
  const std::size_t start = out.size();
  const bool asciiKept = !table || table->asciiKept;
  std::size_t i = 0;
  while (i < bytes.size()) {
    if (asciiKept) {
      const std::size_t run = AsciiRun(bytes, i);
      out.append(bytes.data() + i, run);
      i += run;
      if (i == bytes.size()) break;
    }
    char32_t c;
    const std::size_t length = table ? ReadTableChar(*table, bytes, i, c) : ReadUtf8(bytes, i, c);
    if (c == 0 && bytes[i] != '\0') {
      if (!replace) {
        out.resize(start);
        if (badOffset) *badOffset = i;
        return false;
      }
      c = kReplacement;
    }
    if (!table && c != kReplacement) {
      out.append(bytes.data() + i, length);  // well-formed UTF-8 stays as it is
    } else {
      AppendUtf8(c, out);
    }
    i += length;
  }
  return true;
}

bool AppendUtf8AsShiftJis(std::string_view utf8, bool replace, std::string& out,
                          char32_t* unencodable, std::size_t* badOffset) {
  const std::size_t start = out.size();
  std::size_t i = 0;
  while (i < utf8.size()) {
    const std::size_t run = AsciiRun(utf8, i);
    out.append(utf8.data() + i, run);
    i += run;
    if (i == utf8.size()) break;
    char32_t c;
    const std::size_t length = ReadUtf8(utf8, i, c);
    const ShiftJisCode* end = std::end(kShiftJisCodes);
    const ShiftJisCode* found = std::lower_bound(
        std::begin(kShiftJisCodes), end, c,
        [](const ShiftJisCode& code, char32_t value) { return code.codePoint < value; });
    if (c != 0 && found != end && found->codePoint == c) {
      if (found->bytes >= 0x100) out += static_cast<char>(found->bytes >> 8);
      out += static_cast<char>(found->bytes & 0xFF);
    } else if (replace) {
      out += '?';
    } else {
      out.resize(start);
      if (unencodable) *unencodable = c == 0 ? kReplacement : c;
      if (badOffset) *badOffset = i;
      return false;
    }
    i += length;
  }
  return true;
}

bool UseShiftJisStandIns(std::string& utf8) {
  std::string written;
  std::size_t copied = 0;
  std::size_t i = 0;
  while (i < utf8.size()) {
    const std::size_t run = AsciiRun(utf8, i);
    i += run;
    if (i == utf8.size()) break;
    char32_t c;
    const std::size_t length = ReadUtf8(utf8, i, c);
    const char* standIn = c == 0xD8 || c == 0x2205 || c == 0x2300 ? "\xCF\x86"  // φ
                          : c == kReplacement                     ? "?"
                                                                  : nullptr;
    if (standIn) {
      written.append(utf8, copied, i - copied);
      written += standIn;
      copied = i + length;
    }
    i += length;
  }
  if (copied == 0) return false;
  written.append(utf8, copied, std::string::npos);
  utf8 = std::move(written);
  return true;
}

}  // namespace toridasu::text
