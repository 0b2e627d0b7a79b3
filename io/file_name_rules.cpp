#include "io/file_name_rules.h"

#include "platform/platform.h"

namespace toridasu {

int32_t FileNameRefusal(std::string_view name) {
  if (name.empty() || name.find('\0') != std::string_view::npos) {
    return static_cast<int32_t>(win_error::kInvalidName);
  }
  if (name.size() > kMaxFileNameBytes) return static_cast<int32_t>(win_error::kPathNotFound);
  return 0;
}

}  // namespace toridasu
