// Code page 932 text to UTF-8, for drawings whose texts are wanted as UTF-8.
// The table comes from the code page's own mapping, so both builds write the
// same bytes. The way back is AppendUtf8AsShiftJis (code_page.h).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "text/code_page.h"

namespace toridasu::text {

// Appends the UTF-8 of `text` to `out`. A byte sequence that code page 932
// does not define becomes U+FFFD when `replace` is set; otherwise the call
// returns false, leaving `out` as it was, and `badOffset` says where.
inline bool AppendShiftJisAsUtf8(std::string_view text, bool replace, std::string& out,
                                 std::size_t* badOffset = nullptr) {
  return AppendAsUtf8(text, kHomeCodePage, replace, out, badOffset);
}

}  // namespace toridasu::text
