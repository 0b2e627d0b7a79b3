#include "support/code_page_932.h"

#include "base/lead_bytes.h"
#include "support/fake_platform.h"

namespace toridasu {

// The fake answers the code-page questions as a Japanese system does.
void UseCodePage932() {
  FakePlatform platform;
  RefreshLeadByteSet(platform);
}

void UseSingleByteSystem() {
  FakePlatform platform;
  platform.doubleByte = false;
  RefreshLeadByteSet(platform);
}

}  // namespace toridasu
