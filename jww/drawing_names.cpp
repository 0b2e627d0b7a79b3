#include "jww/drawing_names.h"

namespace toridasu::jww {
namespace {

constexpr std::string_view kIdeographicSpace = "\xE3\x80\x80";  // U+3000, UTF-8
constexpr std::string_view kCompoundFlag = "@@SfigorgFlag@@";

std::string_view Trimmed(std::string_view name) {
  for (;;) {
    if (name.starts_with(' ')) {
      name.remove_prefix(1);
    } else if (name.starts_with(kIdeographicSpace)) {
      name.remove_prefix(kIdeographicSpace.size());
    } else if (name.ends_with(' ')) {
      name.remove_suffix(1);
    } else if (name.ends_with(kIdeographicSpace)) {
      name.remove_suffix(kIdeographicSpace.size());
    } else {
      return name;
    }
  }
}

void AppendHex(unsigned value, std::string& out) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  if (value >= 16) AppendHex(value / 16, out);
  out += kDigits[value % 16];
}

}  // namespace

std::string LayerName(unsigned group, unsigned layer, std::string_view groupName,
                      std::string_view layerName) {
  std::string name;
  AppendHex(group, name);
  name += '-';
  AppendHex(layer, name);
  groupName = Trimmed(groupName);
  layerName = Trimmed(layerName);
  if (groupName.empty() && layerName.empty()) return name;
  name += ' ';
  if (!groupName.empty()) {
    name += groupName;
    name += '/';
  }
  name += layerName;
  return name;
}

std::string BlockName(std::string_view storedName) {
  const std::size_t flag = storedName.rfind(kCompoundFlag);
  if (flag != std::string_view::npos) storedName = storedName.substr(0, flag);
  return std::string(storedName);
}

}  // namespace toridasu::jww
