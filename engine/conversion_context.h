// What a conversion takes from the process it runs in: the platform it reads,
// writes and upper-cases through, the code page's lead bytes (for the marker
// test) and the decimal separator of the records. Passed to every part of the
// job; nothing of it is process-wide inside the engine.
#pragma once

#include "base/lead_bytes.h"
#include "platform/platform.h"

namespace toridasu {

struct ConversionContext {
  Platform* platform = nullptr;  // never null in a context that is used
  LeadByteSet leadBytes;
  char decimalSeparator = '.';
};

// A context with the user's locale settings as `platform` gives them: its
// lead bytes and its decimal separator ("." when the locale gives none or a
// longer one).
ConversionContext LocaleContext(Platform& platform);

// The decimal separator of the user's locale, "." when it gives none.
char LocaleDecimalSeparator(Platform& platform);

}  // namespace toridasu
