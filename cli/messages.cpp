#include "cli/messages.h"

#include <atomic>

#include "base/string_table.h"
#include "cli/console.h"

namespace toridasu::cli {
namespace {

std::atomic<bool> japanese{false};

}  // namespace

void SetJapanese(bool value) { japanese.store(value); }

std::string Say(uint32_t text, std::initializer_list<FormatArg> arguments) {
  const uint32_t id = text + (japanese.load() ? 0 : kEnglish);
  return FormatMessageText(NativeFromShiftJis(LoadResString(id)), arguments);
}

}  // namespace toridasu::cli
