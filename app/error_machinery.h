// The error machinery: while it is installed, failures raise errors, their
// texts come from the string table, and an error that escapes everything is
// reported as an application error (error_report.h).
#pragma once

namespace toridasu::app {

// Start-up step 3: failures raise errors from now on, their texts come from
// the string table, and the two pre-made heap errors exist. Registers its own
// removal as a finalisation (error_process.h), so that EndProcess and an
// undone start-up remove it in its turn.
void InstallErrorMachinery();
void RemoveErrorMachinery();
bool ErrorMachineryInstalled();

}  // namespace toridasu::app
