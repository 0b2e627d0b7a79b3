// The x87 control word the program holds from start-up. Platform code that
// the program calls (dialogs, drivers, a fault's handling) may leave the word
// changed; the program takes its own back before it computes again.
#pragma once

#include <cstdint>

namespace toridasu {

// 64-bit significand, rounding to nearest, invalid operation, division by
// zero and overflow raising, the rest masked.
inline constexpr uint16_t kFloatingPointControl = 0x1332;

// Clears pending x87 exceptions, or an unmasked one would fire at the next
// x87 instruction, and loads kFloatingPointControl. Does nothing on a
// processor without an x87 unit.
void ResetFloatingPointControl();

}  // namespace toridasu
