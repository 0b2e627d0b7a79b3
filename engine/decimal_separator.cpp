#include "engine/decimal_separator.h"

#include <atomic>

#include "platform/platform.h"

namespace toridasu {
namespace {

std::atomic<char> decimalSeparator{'.'};

}  // namespace

char DecimalSeparator() { return decimalSeparator.load(std::memory_order_relaxed); }
void SetDecimalSeparator(char separator) {
  decimalSeparator.store(separator, std::memory_order_relaxed);
}

void RefreshDecimalSeparator(Platform& platform) {
  const char separator = platform.LocaleDecimalSeparator();
  SetDecimalSeparator(separator != '\0' ? separator : '.');
}

}  // namespace toridasu
