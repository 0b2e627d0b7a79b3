#include "model/names.h"

#include "text/ascii_case.h"

namespace toridasu::model {

bool SameName(std::string_view text, std::string_view upperName) {
  if (text == upperName) return true;  // as writers put names: capitals, no blanks
  return text::SameIgnoringAsciiCase(TrimBlanks(text), upperName);
}

}  // namespace toridasu::model
