#include "full/tolerance_text.h"

#include "text/ascii_case.h"
#include "text/text_codes.h"

namespace toridasu::full {
namespace {

struct Symbol {
  char letter;
  std::string_view name;
};
constexpr Symbol kSymbols[] = {
    {'a', "{angularity}"},
    {'b', "{perpendicularity}"},
    {'c', "{flatness}"},
    {'d', "{surface profile}"},
    {'e', "{circularity}"},
    {'f', "{parallelism}"},
    {'g', "{cylindricity}"},
    {'h', "{circular runout}"},
    {'i', "{symmetry}"},
    {'j', "{position}"},
    {'k', "{line profile}"},
    {'l', "{LMC}"},
    {'m', "{MMC}"},
    {'n', "{diameter}"},
    {'p', "{projected tolerance zone}"},
    {'r', "{concentricity}"},
    {'s', "{RFS}"},
    {'t', "{total runout}"},
    {'u', "{straightness}"},
};

// The name of the symbol whose code starts at `pos` ("{\Fgdt;x}", the font's
// name in either letter case), empty when none starts there.
std::string_view SymbolAt(std::string_view text, std::size_t pos) {
  constexpr std::size_t kLength = 9;  // {\Fgdt;x}
  if (pos + kLength > text.size() || text[pos + kLength - 1] != '}') return {};
  if (!text::SameIgnoringAsciiCase(text.substr(pos, 7), "{\\Fgdt;")) return {};
  const char letter = text[pos + 7];
  for (const Symbol& s : kSymbols) {
    if (s.letter == letter) return s.name;
  }
  return {};
}

}  // namespace

std::string ToleranceToPlain(std::string_view utf8) {
  std::string cells;
  cells.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    if (utf8[i] == '%' && i + 2 < utf8.size() && utf8[i + 1] == '%' &&
        text::AsciiLower(utf8[i + 2]) == 'v') {
      cells += '|';
      i += 3;
      continue;
    }
    const std::string_view name = utf8[i] == '{' ? SymbolAt(utf8, i) : std::string_view{};
    if (!name.empty()) {
      cells += name;
      i += 9;
      continue;
    }
    cells += utf8[i++];
  }
  return text::DecodeTextCodes(cells);
}

}  // namespace toridasu::full
