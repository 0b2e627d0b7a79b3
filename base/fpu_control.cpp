#include "base/fpu_control.h"

namespace toridasu {

void ResetFloatingPointControl() {
#if defined(__i386__) || defined(__x86_64__)
  const uint16_t control = kFloatingPointControl;
  __asm__ __volatile__("fnclex\n\tfldcw %0" : : "m"(control));
#endif
}

}  // namespace toridasu
