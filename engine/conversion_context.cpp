#include "engine/conversion_context.h"

namespace toridasu {

ConversionContext LocaleContext(Platform& platform) {
  ConversionContext context;
  context.platform = &platform;
  context.leadBytes.Refresh(platform);
  context.decimalSeparator = LocaleDecimalSeparator(platform);
  return context;
}

char LocaleDecimalSeparator(Platform& platform) {
  const char separator = platform.LocaleDecimalSeparator();
  return separator != '\0' ? separator : '.';
}

}  // namespace toridasu
