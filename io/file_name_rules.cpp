#include "io/file_name_rules.h"

#include "platform/wide_names.h"

namespace toridasu {

int32_t FileNameRefusal(std::string_view name, NameEncoding encoding) {
  if (name.empty() || name.find('\0') != std::string_view::npos) {
    return static_cast<int32_t>(win_error::kInvalidName);
  }
  // A UTF-8 name takes up to three bytes for a character that the wide
  // calls count as one unit.
  const std::size_t length =
      encoding == NameEncoding::kUtf8 ? Utf16FromUtf8(name).size() : name.size();
  if (length > kMaxFileNameLength) return static_cast<int32_t>(win_error::kPathNotFound);
  return 0;
}

}  // namespace toridasu
