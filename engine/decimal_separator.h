// The decimal separator of the records' numbers, from the user's locale.
#pragma once

namespace toridasu {

class Platform;

// The decimal separator byte of the moment, "." until the locale is read.
char DecimalSeparator();
void SetDecimalSeparator(char separator);
// Reads the separator from the user's locale ("." when it gives none or a
// longer one).
void RefreshDecimalSeparator(Platform& platform);

}  // namespace toridasu
