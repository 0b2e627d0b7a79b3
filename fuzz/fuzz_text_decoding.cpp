// Decoding and text codes on any bytes: every code page, TEXT codes, MTEXT
// plain text and the Shift-JIS output never crash, never read past their
// input, and keep their promises (valid UTF-8 out of a decoder that
// replaces; output left as it was on failure).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "full/mtext_plain.h"
#include "text/code_page.h"
#include "text/drawing_decoding.h"
#include "text/text_codes.h"

using namespace toridasu::full;
using namespace toridasu::text;

namespace {

void Check(bool promise) {
  if (!promise) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  for (int codePage : {932, 936, 949, 950, 1252, 864, kMacRomanCodePage, kUtf8CodePage, 4711}) {
    std::string out = "x";
    std::size_t at = 0;
    const bool strict = AppendAsUtf8(bytes, codePage, false, out, &at);
    Check(strict ? IsValidUtf8(out) : (out == "x" && at <= size));
    Check(strict == IsValidInCodePage(bytes, codePage));
    out.clear();
    if (AppendAsUtf8(bytes, codePage, true, out)) Check(IsValidUtf8(out));
  }
  // The text codes work on decoded text; they keep it valid.
  std::string utf8;
  AppendAsUtf8(bytes, kUtf8CodePage, true, utf8);
  Check(IsValidUtf8(DecodeTextCodes(utf8)));
  Check(IsValidUtf8(MTextToPlain(utf8)));
  std::string shiftJis = "y";
  char32_t bad = 0;
  std::size_t at = 0;
  if (!AppendUtf8AsShiftJis(utf8, false, shiftJis, &bad, &at)) {
    Check(shiftJis == "y" && at < utf8.size() && bad != 0);
  }
  TextDecoder decoder(ChooseDecoding(0, "AC1024", "ANSI_932"), false);
  std::string decoded;
  if (decoder.Decode(bytes, decoded) != TextDecoder::Result::kUndefined) {
    Check(IsValidUtf8(decoded));
  }
  return 0;
}
