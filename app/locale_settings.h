// The locale-dependent settings the program uses: the lead-byte set of the
// ANSI code page and the decimal separator of the numbers it writes.
#pragma once

namespace toridasu::app {

// Re-reads them; on a settings change the thread's locale is first reset to
// the user's default, at start-up it is left as it is.
void RefreshLocaleSettings(bool resetThreadLocale = true);

}  // namespace toridasu::app
