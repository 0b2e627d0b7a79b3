// Refreshes the process's lead-byte set (the path operations') as a Japanese
// system answers, or as a system without double-byte support does, whatever
// the host. The conversion engine takes its set from its context instead.
#pragma once

namespace toridasu {

void UseCodePage932();
void UseSingleByteSystem();

}  // namespace toridasu
