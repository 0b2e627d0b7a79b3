// The process's peak resident memory in MB since the last reset (Linux):
// what the benchmarks report as peak_MB.
#pragma once

namespace toridasu::bench {

void ResetPeakMemory();
double PeakMemoryMb();

}  // namespace toridasu::bench
