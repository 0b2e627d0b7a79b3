// The names of encodings, read by one parser for the three places that take
// them. Each place keeps its own set of names: a drawing's `$DWGCODEPAGE`,
// `--input-encoding` (any code page the decoder knows, as users write it) and
// `--encoding` (only the two encodings the CSV file is written in).
#pragma once

#include <string_view>

namespace toridasu::text {

enum class EncodingNameUse {
  kDrawing,  // "ANSI_1252", "dos932", "MAC-ROMAN", "big5"
  kInput,    // the above and "utf-8", "cp932", "932", "Shift_JIS", "windows-1252"
  kOutput,   // "utf-8", "utf8", "shift_jis", "sjis", "cp932"
};

// The code page that `name` stands for where it is used, 0 when it names
// none there. Letters are taken in any case, and '-' and '_' are left out;
// blanks are left out too, except in an output encoding's name.
int CodePageFromName(std::string_view name, EncodingNameUse use);

// The code page that a `$DWGCODEPAGE` value names.
inline int CodePageFromDrawingName(std::string_view name) {
  return CodePageFromName(name, EncodingNameUse::kDrawing);
}

// The code page that an encoding name, as users write it, names.
inline int CodePageFromEncodingName(std::string_view name) {
  return CodePageFromName(name, EncodingNameUse::kInput);
}

}  // namespace toridasu::text
