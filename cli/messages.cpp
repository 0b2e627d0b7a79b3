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

std::string SayIn(bool inJapanese, Text text, std::initializer_list<std::string> arguments) {
  const uint32_t id = static_cast<uint32_t>(text) + (inJapanese ? 0 : kEnglish);
  return Fill(NativeFromShiftJis(LoadResString(id)), arguments);
}

std::string SayInEnglish(Text text, std::initializer_list<std::string> arguments = {}) {
  return SayIn(false, text, arguments);
}

}  // namespace

void SetJapanese(bool value) { japanese.store(value); }

bool Japanese() { return japanese.load(); }

std::string Say(Text text, std::initializer_list<std::string> arguments) {
  return SayIn(japanese.load(), text, arguments);
}

std::string EnglishIoCause(int32_t code) {
  switch (code) {
    case 2: return SayInEnglish(Text::kIoFileNotFound);
    case 3: return SayInEnglish(Text::kIoPathNotFound);
    case 4: return SayInEnglish(Text::kIoTooManyOpenFiles);
    case 5: return SayInEnglish(Text::kIoAccessDenied);
    case 32: return SayInEnglish(Text::kIoSharingViolation);
    case 103: return SayInEnglish(Text::kIoNotOpen);
    case 105: return SayInEnglish(Text::kIoNotWritable);
    case 112: return SayInEnglish(Text::kIoDiskFull);
    case 123: return SayInEnglish(Text::kIoInvalidName);
    default: return SayInEnglish(Text::kIoOther, {std::to_string(code)});
  }
}

}  // namespace toridasu::cli
