// The platform's lead-byte set of the ANSI code page: which bytes begin a
// double-byte character. Filled at start-up and on every settings change.
#pragma once

namespace toridasu {

class Platform;

// The platform's lead-byte set of the ANSI code page, process-wide.
bool DoubleByteSystem();
bool IsLeadByte(unsigned char byte);
// Reads the flag and the set from the platform; the set only ever grows.
void RefreshLeadByteSet(Platform& platform);
// Forgets the set (tests only: the program never clears it).
void ResetLeadByteSetForTesting();

}  // namespace toridasu
