#include "cli/messages.h"

#include <algorithm>
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

std::string WithControlsEscaped(std::string line) {
  const auto isControl = [](unsigned char byte) { return byte < 0x20 || byte == 0x7F; };
  if (std::none_of(line.begin(), line.end(), isControl)) return line;
  static constexpr char kHex[] = "0123456789abcdef";
  std::string shown;
  for (const char c : line) {
    const auto byte = static_cast<unsigned char>(c);
    if (!isControl(byte)) {
      shown += c;
      continue;
    }
    shown += "\\x";
    shown += kHex[byte >> 4];
    shown += kHex[byte & 0xF];
  }
  return shown;
}

}  // namespace toridasu::cli
