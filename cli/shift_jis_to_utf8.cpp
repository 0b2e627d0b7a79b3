#include "cli/shift_jis_to_utf8.h"

#include "full/code_page.h"

namespace toridasu::cli {

bool AppendShiftJisAsUtf8(std::string_view text, bool replace, std::string& out,
                          std::size_t* badOffset) {
  return full::AppendAsUtf8(text, full::kHomeCodePage, replace, out, badOffset);
}

}  // namespace toridasu::cli
