// The codes that a single-line text (TEXT, ATTRIB, ATTDEF) carries in its
// value, turned into the characters that a user sees.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace toridasu::text {

// Decodes a TEXT or ATTRIB value (UTF-8): "%%d" °, "%%p" ±, "%%c" Ø, "%%nnn"
// the character numbered nnn (from 32; 127, 128 and 129 are °, ± and Ø as in
// the text fonts), "%%%" %, "%%u", "%%o" and "%%k"
// (underline, overline, strike-through switches) removed, the letters in any
// case; the escapes "\U+XXXX" and "\M+nXXXX"; and caret-encoded control
// characters. Anything else stays as it is.
std::string DecodeTextCodes(std::string_view utf8);

// Appends the text from `pos` up to the first character that may start a
// code ("%", "\\", "^", and with `braces` also "{" and "}") and returns that
// character's position, or the text's size.
std::size_t AppendPlainText(std::string_view text, std::size_t pos, bool braces, std::string& out);

// The pieces of that decoding, each reading one code at `text[pos]` and
// appending what it stands for to `out`. Each returns the code's length, or 0
// (nothing appended) when there is no code there that it decodes.

// "%%" codes; only "%%d", "%%p" and "%%c" unless `allCodes`.
std::size_t AppendPercentCode(std::string_view text, std::size_t pos, bool allCodes,
                              std::string& out);

// "^" and a character from "@" to "_", or a small letter: the control
// character of that letter (the characters that a drawing's lines cannot
// hold); "^ ": a caret.
std::size_t AppendCaretCode(std::string_view text, std::size_t pos, std::string& out);

// "\U+XXXX" (a surrogate pair as two escapes) and "\M+nXXXX" (n: 1 code
// page 932, 2 950, 3 949, 5 936; XXXX the double-byte code). Not decoded: too
// few hex digits, a lone surrogate, the Johab page (4), a code that the page
// does not define.
std::size_t AppendUnicodeEscape(std::string_view text, std::size_t pos, std::string& out);

// Replaces each control character of `utf8` (C0, DEL and C1) but tab and the
// line breaks by U+FFFD, so that none reaches a CSV file; returns how many.
std::size_t ReplaceControlCharacters(std::string& utf8);

// True when `utf8` holds nothing but white space (spaces, tabs, line breaks,
// the ideographic space): a text that shows nothing.
bool IsBlank(std::string_view utf8);

}  // namespace toridasu::text
