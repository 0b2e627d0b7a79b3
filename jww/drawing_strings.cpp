#include "jww/drawing_strings.h"

#include "engine/conversion_failure.h"
#include "text/code_page.h"

namespace toridasu::jww {
namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr char kUtf8Replacement[] = "\xEF\xBF\xBD";

char16_t Unit(std::string_view utf16, std::size_t i) {
  return static_cast<char16_t>(static_cast<unsigned char>(utf16[i]) |
                               (static_cast<unsigned char>(utf16[i + 1]) << 8));
}

// Control characters other than the tab as U+FFFD: no text shows them, and
// a line break would end the record's line.
uint64_t ReplaceControls(std::string& utf8) {
  uint64_t replaced = 0;
  std::string out;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const auto byte = static_cast<unsigned char>(utf8[i]);
    if ((byte < 0x20 && byte != '\t') || byte == 0x7F) {
      if (replaced++ == 0) out.assign(utf8, 0, i);
      out += kUtf8Replacement;
    } else if (replaced != 0) {
      out += utf8[i];
    }
  }
  if (replaced != 0) utf8.swap(out);
  return replaced;
}

[[noreturn]] void Fail(FailureKind kind, uint64_t offset, std::string detail) {
  ConversionFailure failure;
  failure.kind = kind;
  failure.line = offset;
  failure.detail = std::move(detail);
  throw failure;
}

}  // namespace

void AppendUtf16AsUtf8(std::string_view utf16, std::string& out) {
  const std::size_t units = utf16.size() / 2;
  for (std::size_t i = 0; i < units; ++i) {
    const char16_t unit = Unit(utf16, 2 * i);
    if (unit < 0xD800 || unit > 0xDFFF) {
      text::AppendUtf8(unit, out);
    } else if (unit <= 0xDBFF && i + 1 < units && Unit(utf16, 2 * i + 2) >= 0xDC00 &&
               Unit(utf16, 2 * i + 2) <= 0xDFFF) {
      const char16_t low = Unit(utf16, 2 * i + 2);
      text::AppendUtf8(0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (low - 0xDC00),
                       out);
      ++i;
    } else {
      text::AppendUtf8(kReplacement, out);
    }
  }
  if (utf16.size() % 2 != 0) text::AppendUtf8(kReplacement, out);
}

std::string NameOf(const ArchiveString& name, int codePage) {
  std::string utf8;
  if (name.wide) {
    AppendUtf16AsUtf8(name.bytes, utf8);
  } else {
    text::AppendAsUtf8(name.bytes, codePage, true, utf8);
  }
  return utf8;
}

uint64_t TextOf(const ArchiveString& text, const StringChoice& choice, uint64_t offset,
                std::string& out) {
  out.clear();
  if (choice.shiftJis) {
    if (!text.wide) {
      out = text.bytes;  // the drawing's own bytes, as the default mode writes them
      return 0;
    }
    std::string utf8;
    AppendUtf16AsUtf8(text.bytes, utf8);
    text::UseShiftJisStandIns(utf8);
    char32_t lacking = 0;
    if (!text::AppendUtf8AsShiftJis(utf8, choice.replace, out, &lacking)) {
      std::string character;
      text::AppendUtf8(lacking, character);
      Fail(FailureKind::kUnencodable, offset, character);
    }
    return 0;
  }
  if (text.wide) {
    AppendUtf16AsUtf8(text.bytes, out);
  } else if (!text::AppendAsUtf8(text.bytes, choice.codePage, choice.replace, out)) {
    Fail(FailureKind::kUndefinedBytes, offset, std::to_string(choice.codePage));
  }
  return ReplaceControls(out);
}

}  // namespace toridasu::jww
