#include "text/encoding_names.h"

#include <cstdint>
#include <string>

#include "text/ascii_case.h"
#include "text/code_page.h"

namespace toridasu::text {
namespace {

// The uses a name is taken in, one bit per EncodingNameUse.
using Uses = uint8_t;
constexpr Uses kDrawing = 1 << static_cast<int>(EncodingNameUse::kDrawing);
constexpr Uses kInput = 1 << static_cast<int>(EncodingNameUse::kInput);
constexpr Uses kOutput = 1 << static_cast<int>(EncodingNameUse::kOutput);

struct NamedCodePage {
  std::string_view key;  // folded: lower case, no '-', '_' or blanks
  int codePage;
  Uses uses;
};

constexpr NamedCodePage kNames[] = {
    // Names that drawings write besides ANSI_n and DOSn.
    {"macroman", kMacRomanCodePage, kDrawing | kInput},
    {"big5", 950, kDrawing | kInput},
    {"gb2312", 936, kDrawing | kInput},
    {"ksc5601", 949, kDrawing | kInput},
    {"utf8", kUtf8CodePage, kDrawing | kInput | kOutput},
    // Names that users write besides cpN, windowsN, ibmN and msN.
    {"shiftjis", 932, kInput | kOutput},
    {"sjis", 932, kInput | kOutput},
    {"windows31j", 932, kInput},
    {"mskanji", 932, kInput},
    {"gbk", 936, kInput},
    {"uhc", 949, kInput},
    {"kscs56011987", 949, kInput},
    {"big5hkscs", 950, kInput},
    {"macintosh", kMacRomanCodePage, kInput},
    {"tis620", 874, kInput},
    // The output names its code page 932 only so; other numbers are not
    // written there.
    {"cp932", 932, kOutput},
};

// A code page number after one of these prefixes ("ansi1252", "cp1252", "1252").
struct NumberedNames {
  std::string_view prefix;
  Uses uses;
};

constexpr NumberedNames kNumbered[] = {
    {"ansi", kDrawing | kInput},
    {"dos", kDrawing | kInput},
    {"", kInput},
    {"cp", kInput},
    {"windows", kInput},
    {"ibm", kInput},
    {"ms", kInput},
};

std::string Folded(std::string_view name, bool blanksKept) {
  std::string key;
  for (const char ch : name) {
    if (ch == '-' || ch == '_' || (ch == ' ' && !blanksKept)) continue;
    key += AsciiLower(ch);
  }
  return key;
}

// A known code page number after `prefix` in `key` ("cp1252" with "cp").
int NumberAfter(const std::string& key, std::string_view prefix) {
  if (key.size() <= prefix.size() || key.compare(0, prefix.size(), prefix) != 0) return 0;
  int number = 0;
  for (std::size_t i = prefix.size(); i < key.size(); ++i) {
    if (key[i] < '0' || key[i] > '9' || number > 100000) return 0;
    number = number * 10 + (key[i] - '0');
  }
  return IsKnownCodePage(number) ? number : 0;
}

}  // namespace

int CodePageFromName(std::string_view name, EncodingNameUse use) {
  const Uses wanted = static_cast<Uses>(1 << static_cast<int>(use));
  const std::string key = Folded(name, use == EncodingNameUse::kOutput);
  for (const NumberedNames& numbered : kNumbered) {
    if (!(numbered.uses & wanted)) continue;
    if (int codePage = NumberAfter(key, numbered.prefix)) return codePage;
  }
  for (const NamedCodePage& named : kNames) {
    if ((named.uses & wanted) && named.key == key) return named.codePage;
  }
  return 0;
}

}  // namespace toridasu::text
