#include "model/names.h"

namespace toridasu::model {

bool SameName(std::string_view text, std::string_view upperName) {
  if (text == upperName) return true;  // as writers put names: capitals, no blanks
  text = TrimBlanks(text);
  if (text.size() != upperName.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c != upperName[i]) return false;
  }
  return true;
}

std::string FoldedName(std::string_view name) {
  std::string folded(name);
  for (char& c : folded) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return folded;
}

}  // namespace toridasu::model
