#include "xlsx/sheet_names.h"

#include <algorithm>

#include "text/code_page.h"

namespace toridasu::xlsx {
namespace {

constexpr std::string_view kForbidden = "[]:*?/\\";

// The length in bytes of the UTF-8 sequence led by `lead`.
std::size_t SequenceLength(unsigned char lead) {
  return lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
}

char32_t Decode(std::string_view sequence) {
  const unsigned char lead = static_cast<unsigned char>(sequence[0]);
  char32_t c = sequence.size() == 1 ? lead : lead & (0x7F >> sequence.size());
  for (std::size_t i = 1; i < sequence.size(); ++i) c = (c << 6) | (sequence[i] & 0x3F);
  return c;
}

char32_t UpperCase(char32_t c) {
  if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7) ||
      (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) || (c >= 0x430 && c <= 0x44F) ||
      (c >= 0xFF41 && c <= 0xFF5A))
    return c - 0x20;
  if (c >= 0x450 && c <= 0x45F) return c - 0x50;
  // Latin Extended-A: capital and small letters in pairs.
  if (c >= 0x100 && c <= 0x17F && c != 0x131 && c != 0x138 && c != 0x149 && c != 0x17F) {
    const bool oddPairs = (c >= 0x139 && c <= 0x148) || c >= 0x179;
    if (oddPairs ? c % 2 == 0 : c % 2 == 1) return c - 1;
  }
  return c;
}

// The first `units` UTF-16 units of `name`, never half a character.
std::string_view Cut(std::string_view name, std::size_t units) {
  std::size_t at = 0;
  std::size_t used = 0;
  while (at < name.size()) {
    const std::size_t length = SequenceLength(static_cast<unsigned char>(name[at]));
    const std::size_t width = length == 4 ? 2 : 1;
    if (used + width > units) break;
    used += width;
    at += length;
  }
  return name.substr(0, at);
}

std::string Numbered(std::string_view name, int number) {
  const std::string suffix = " (" + std::to_string(number) + ")";
  return std::string(Cut(name, kMaxSheetName - suffix.size())) + suffix;
}

}  // namespace

std::string ValidSheetName(std::string_view wanted) {
  std::string name;
  for (std::size_t at = 0; at < wanted.size();) {
    const std::size_t length =
        std::min(SequenceLength(static_cast<unsigned char>(wanted[at])), wanted.size() - at);
    const std::string_view sequence = wanted.substr(at, length);
    const bool bad =
        (length == 1 && (static_cast<unsigned char>(sequence[0]) < 0x20 || sequence[0] == 0x7F ||
                         kForbidden.find(sequence[0]) != std::string_view::npos)) ||
        sequence == "\xEF\xBF\xBE" || sequence == "\xEF\xBF\xBF";
    name += bad ? std::string_view("_") : sequence;
    at += length;
  }
  name = std::string(Cut(name, kMaxSheetName));
  if (name.empty()) return "Sheet";
  if (name.front() == '\'') name.front() = '_';
  if (name.back() == '\'') name.back() = '_';
  return name;
}

std::string SheetNameKey(std::string_view name) {
  std::string key;
  for (std::size_t at = 0; at < name.size();) {
    const std::size_t length =
        std::min(SequenceLength(static_cast<unsigned char>(name[at])), name.size() - at);
    text::AppendUtf8(UpperCase(Decode(name.substr(at, length))), key);
    at += length;
  }
  return key;
}

std::string SheetNames::Take(std::string_view wanted) {
  const std::string name = ValidSheetName(wanted);
  // "History" is a name that spreadsheets keep for themselves.
  if (Free(name) && SheetNameKey(name) != "HISTORY") return Keep(name);
  for (int number = 2;; ++number) {
    std::string numbered = Numbered(name, number);
    if (Free(numbered)) return Keep(std::move(numbered));
  }
}

std::string SheetNames::TakeContinuation(std::string_view first, int number) {
  std::string numbered = Numbered(first, number);
  if (Free(numbered)) return Keep(std::move(numbered));
  return Take(numbered);
}

std::string SheetNames::Keep(std::string name) {
  keys_.insert(SheetNameKey(name));
  return name;
}

}  // namespace toridasu::xlsx
