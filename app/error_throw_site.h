// Where each raise happened, for the application-error report.
#pragma once

namespace toridasu::app {

// Whether every raise of a C++ error records its address (the program is
// linked with -Wl,--wrap=__cxa_throw); without it only run-time failures and
// faults know where they were raised.
bool RaiseSitesRecorded();

}  // namespace toridasu::app
