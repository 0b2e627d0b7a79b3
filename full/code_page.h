// Code pages of drawings: names, decoding to UTF-8, the choice of code page
// for one drawing, and UTF-8 back to Shift-JIS for the CSV file. The tables
// are generated at build time from a reference mapping, so both builds decode
// every byte alike.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace toridasu::full {

// Code pages are Windows code page numbers; 0 stands for none or unknown.
inline constexpr int kUtf8CodePage = 65001;
inline constexpr int kMacRomanCodePage = 10000;
// Drawings that say nothing about their code page come from our users' CAD
// programs, which write Shift-JIS.
inline constexpr int kHomeCodePage = 932;

// The code page that a `$DWGCODEPAGE` value names ("ANSI_1252", "dos932",
// "MAC-ROMAN", "big5"), in any letter case; 0 when unknown.
int CodePageFromDrawingName(std::string_view name);

// The code page that an encoding name, as users write it, names ("utf-8",
// "UTF8", "cp932", "932", "Shift_JIS", "sjis", "windows-1252", "ANSI_1250"); 0 when
// unknown.
int CodePageFromEncodingName(std::string_view name);

// True for the code pages that AppendAsUtf8 decodes.
bool IsKnownCodePage(int codePage);

// True when `bytes` is well-formed UTF-8 (no surrogates, no overlong forms).
// Otherwise `badOffset` says where the first ill-formed sequence starts.
bool IsValidUtf8(std::string_view bytes, std::size_t* badOffset = nullptr);

// True when every byte sequence of `bytes` is defined in `codePage`.
bool IsValidInCodePage(std::string_view bytes, int codePage);

// Appends `bytes`, read in `codePage` (kUtf8CodePage: UTF-8 itself), to `out`
// as UTF-8. A sequence that the code page does not define becomes U+FFFD when
// `replace` is set (for a double-byte page the lead byte alone, its second
// byte being read again; for UTF-8 each maximal ill-formed part); otherwise
// the call returns false, leaving `out` as it was, and `badOffset` says where.
// An unknown code page decodes nothing and returns false at offset 0.
bool AppendAsUtf8(std::string_view bytes, int codePage, bool replace, std::string& out,
                  std::size_t* badOffset = nullptr);

// Appends one Unicode scalar value to `out` as UTF-8.
void AppendUtf8(char32_t c, std::string& out);

// Appends the Shift-JIS (code page 932) bytes of the UTF-8 `utf8` to `out`.
// A character that Shift-JIS cannot hold becomes "?" when `replace` is set;
// otherwise the call returns false, leaving `out` as it was, with the
// character in `unencodable` and its offset in `badOffset`. Ill-formed UTF-8
// counts as U+FFFD, which Shift-JIS cannot hold.
bool AppendUtf8AsShiftJis(std::string_view utf8, bool replace, std::string& out,
                          char32_t* unencodable = nullptr, std::size_t* badOffset = nullptr);

// How one drawing's texts are read.
struct DrawingDecoding {
  int codePage = kHomeCodePage;  // what the texts are read in
  // For a UTF-8 drawing: the header's code page, used for a text whose bytes
  // are not UTF-8 but are defined there (some writers do that); else 0.
  int fallbackCodePage = 0;
};

// The decoding of a drawing. `overrideCodePage` (the user's choice, 0 for
// none) wins. Otherwise drawings of version AC1021 and later are UTF-8, with
// the `$DWGCODEPAGE` code page as fallback; earlier ones use the code page
// that `$DWGCODEPAGE` names; with no or an unknown header, code page 932.
// `acadVersion` and `drawingCodePage` are the header's raw values, empty when
// absent.
DrawingDecoding ChooseDecoding(int overrideCodePage, std::string_view acadVersion,
                               std::string_view drawingCodePage);

// Decodes the texts of one drawing and remembers whether the fallback was
// needed, so that the drawing gets one warning, not one per text.
class TextDecoder {
 public:
  enum class Result {
    kDecoded,
    kDecodedByFallback,  // the first text read in the fallback code page
    kUndefined,          // `out` unchanged; `badOffset` set
  };

  TextDecoder(DrawingDecoding decoding, bool replace) : decoding_(decoding), replace_(replace) {}

  Result Decode(std::string_view bytes, std::string& out, std::size_t* badOffset = nullptr);
  const DrawingDecoding& Decoding() const { return decoding_; }
  bool UsedFallback() const { return usedFallback_; }

 private:
  DrawingDecoding decoding_;
  bool replace_;
  bool usedFallback_ = false;
};

}  // namespace toridasu::full
