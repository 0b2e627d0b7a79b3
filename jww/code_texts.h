// Texts that Jw_cad keeps among a drawing's texts without showing them:
// the placements of pictures, whose string begins with "^@BM" (the file and
// its size follow), and the settings Jw_cad 8 stores as texts of no length
// at the point (0, -1000) on paper, "Printer_Orientation = 0" and the like.
#pragma once

#include <string_view>

namespace toridasu::jww {

struct TextObject;

// Whether the text is one of those codes. `string` is the text's string in
// UTF-8 or Shift-JIS: the codes are ASCII.
bool IsCodeText(const TextObject& text, std::string_view string);

}  // namespace toridasu::jww
