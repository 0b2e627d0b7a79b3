#include "text/drawing_decoding.h"

#include <algorithm>

#include "text/ascii_case.h"
#include "text/encoding_names.h"

namespace toridasu::text {

DrawingDecoding ChooseDecoding(int overrideCodePage, std::string_view acadVersion,
                               std::string_view drawingCodePage) {
  if (overrideCodePage != 0) return {overrideCodePage, 0};
  const int named = CodePageFromDrawingName(drawingCodePage);
  // "AC1021" and later: the version number after the two letters.
  int version = 0;
  if (acadVersion.size() == 6 && AsciiUpper(acadVersion[0]) == 'A' &&
      AsciiUpper(acadVersion[1]) == 'C') {
    for (char ch : acadVersion.substr(2)) {
      version = (ch >= '0' && ch <= '9' && version >= 0) ? version * 10 + (ch - '0') : -1;
    }
  }
  const bool standIn = named == 0 && !drawingCodePage.empty();
  if (version >= 1021) {
    const int fallback = named != 0 && named != kUtf8CodePage ? named : kHomeCodePage;
    return {kUtf8CodePage, fallback, standIn};
  }
  return {named != 0 ? named : kHomeCodePage, 0, standIn};
}

TextDecoder::Result TextDecoder::Decode(std::string_view bytes, std::string& out,
                                        std::size_t* badOffset) {
  const int fallback = decoding_.fallbackCodePage;
  if (decoding_.standIn && fallback == 0 && !usedStandIn_) {
    // ASCII reads alike in every code page: only other bytes depend on it.
    usedStandIn_ = std::any_of(bytes.begin(), bytes.end(),
                               [](char ch) { return static_cast<unsigned char>(ch) >= 0x80; });
  }
  // One pass for the usual text, which its drawing's code page defines.
  if (AppendAsUtf8(bytes, decoding_.codePage, false, out, badOffset)) return Result::kDecoded;
  // A failed decoding leaves `out` as it was, so the fallback is tried in one pass too.
  if (fallback != 0 && AppendAsUtf8(bytes, fallback, false, out)) {
    const bool first = !usedFallback_;
    usedFallback_ = true;
    usedStandIn_ = usedStandIn_ || decoding_.standIn;
    return first ? Result::kDecodedByFallback : Result::kDecoded;
  }
  if (!replace_) return Result::kUndefined;
  AppendAsUtf8(bytes, decoding_.codePage, true, out);
  return Result::kDecoded;
}

}  // namespace toridasu::text
