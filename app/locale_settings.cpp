#include "app/locale_settings.h"

#include "engine/csv_destination.h"
#include "files/file_names.h"
#include "platform/platform.h"

namespace toridasu::app {

// The other locale settings (currency, dates, list separator) are not used
// by this program and are not read.
void RefreshLocaleSettings(bool resetThreadLocale) {
  Platform& platform = CurrentPlatform();
  if (resetThreadLocale) platform.ResetThreadLocale();
  RefreshLeadByteSet(platform);
  RefreshDecimalSeparator(platform);
}

}  // namespace toridasu::app
