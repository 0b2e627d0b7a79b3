// Code pages: decoding to UTF-8, checking bytes against a code page, and
// UTF-8 back to Shift-JIS for the CSV file. The tables are generated at build
// time from a reference mapping, so both builds decode every byte alike.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace toridasu::text {

// Code pages are Windows code page numbers; 0 stands for none or unknown.
inline constexpr int kUtf8CodePage = 65001;
inline constexpr int kMacRomanCodePage = 10000;
// Drawings that say nothing about their code page come from our users' CAD
// programs, which write Shift-JIS.
inline constexpr int kHomeCodePage = 932;

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

// Writes in `utf8`, for a Shift-JIS file, the characters that Shift-JIS lacks
// as Japanese drawings write them: the diameter signs (U+00D8, U+2205, U+2300)
// as φ, and U+FFFD (a character that could not be shown) as "?". True when
// anything was written anew.
bool UseShiftJisStandIns(std::string& utf8);

}  // namespace toridasu::text
