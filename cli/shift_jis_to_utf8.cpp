#include "cli/shift_jis_to_utf8.h"

#include <cstdint>

namespace toridasu::cli {
namespace {

#include "cp932_table.inc"

constexpr uint32_t kReplacement = 0xFFFD;

void AppendUtf8(uint32_t c, std::string& out) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

}  // namespace

bool AppendShiftJisAsUtf8(std::string_view text, bool replace, std::string& out,
                          std::size_t* badOffset) {
  const std::size_t start = out.size();
  std::size_t i = 0;
  while (i < text.size()) {
    const unsigned char b = static_cast<unsigned char>(text[i]);
    uint32_t c = 0;
    std::size_t length = 1;
    if (const uint8_t lead = kLeadIndex[b]) {
      if (i + 1 < text.size()) {
        c = kDoubleByte[lead - 1][static_cast<unsigned char>(text[i + 1])];
        if (c != 0) length = 2;
      }
    } else {
      c = b == 0 ? 0 : kSingleByte[b];
      if (b == 0) {
        out += '\0';
        ++i;
        continue;
      }
    }
    if (c == 0) {
      if (!replace) {
        out.resize(start);
        if (badOffset) *badOffset = i;
        return false;
      }
      c = kReplacement;
    }
    AppendUtf8(c, out);
    i += length;
  }
  return true;
}

}  // namespace toridasu::cli
