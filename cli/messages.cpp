#include "cli/messages.h"

#include <atomic>
#include <string_view>

#include "base/string_table.h"
#include "cli/console.h"

namespace toridasu::cli {
namespace {

std::atomic<bool> japanese{false};

std::string Fill(std::string_view pattern, std::initializer_list<std::string> arguments) {
  std::string out;
  auto next = arguments.begin();
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] == 's' &&
        next != arguments.end()) {
      out += *next++;
      ++i;
    } else {
      out += pattern[i];
    }
  }
  return out;
}

}  // namespace

void SetJapanese(bool value) { japanese.store(value); }

std::string Say(uint32_t text, std::initializer_list<std::string> arguments) {
  const uint32_t id = text + (japanese.load() ? 0 : kEnglish);
  return Fill(NativeFromShiftJis(LoadResString(id)), arguments);
}

}  // namespace toridasu::cli
