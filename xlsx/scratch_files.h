// The files a workbook is built in before it is copied to its output: a
// failure there is told with the platform's codes, as any output's is.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace toridasu::xlsx {

// The platform's code for the C library's last failure (errno): a full disk,
// access denied, a missing folder, ...
uint32_t CodeOfLastFailure();

// A file of the library's in `folder` that goes away once closed; null when
// none can be made.
std::FILE* OpenScratchFile(const std::string& folder);

}  // namespace toridasu::xlsx
