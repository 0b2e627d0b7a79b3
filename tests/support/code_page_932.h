// Sets the process-wide lead-byte set the way a Japanese system does, or the
// way a system without double-byte support does, whatever the host.
#pragma once

namespace toridasu {

void UseCodePage932();
void UseSingleByteSystem();

}  // namespace toridasu
