#include "base/string_table.h"

#include <algorithm>
#include <atomic>
#include <iterator>
#include <string_view>
#include <utility>

namespace toridasu {
namespace {

struct Entry {
  uint32_t id;
  std::string_view text;
};

constexpr Entry kBuiltIn[] = {
#include "string_table_data.inc"
};

std::atomic<StringLoader> currentLoader{&BuiltInString};

}  // namespace

std::string BuiltInString(uint32_t id) {
  auto it = std::lower_bound(std::begin(kBuiltIn), std::end(kBuiltIn), id,
                             [](const Entry& e, uint32_t wanted) { return e.id < wanted; });
  if (it == std::end(kBuiltIn) || it->id != id) return {};
  return std::string(it->text);
}

std::string LoadResString(uint32_t id) { return currentLoader.load()(id); }

void SetStringLoader(StringLoader loader) { currentLoader.store(loader ? loader : &BuiltInString); }

}  // namespace toridasu
