// Names as drawings write them (blocks, layers, layouts, handles, types): the
// same name may come in either letter case and with blanks around it.
#pragma once

#include <string_view>

namespace toridasu::model {

inline std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}
// Whether `text`, blanks around it left out and ASCII letters folded to
// capitals, is `upperName`.
bool SameName(std::string_view text, std::string_view upperName);

}  // namespace toridasu::model
