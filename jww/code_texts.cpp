#include "jww/code_texts.h"

#include "jww/drawing_objects.h"

namespace toridasu::jww {
namespace {

constexpr std::string_view kPicture = "^@BM";
constexpr double kSettingsY = -1000;

bool IsNameCharacter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

// "Name = value": an ASCII name, blanks, an equals sign.
bool IsSetting(std::string_view string) {
  std::size_t i = 0;
  while (i < string.size() && IsNameCharacter(string[i])) ++i;
  if (i == 0) return false;
  while (i < string.size() && string[i] == ' ') ++i;
  return i < string.size() && string[i] == '=';
}

}  // namespace

bool IsCodeText(const TextObject& text, std::string_view string) {
  if (string.starts_with(kPicture)) return true;
  // A setting stands where no drawing's text does: its start and end are
  // both the one point (0, -1000).
  return text.startX == 0 && text.startY == kSettingsY && text.endX == 0 &&
         text.endY == kSettingsY && IsSetting(string);
}

}  // namespace toridasu::jww
