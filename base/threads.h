// Whether the program may start threads of its own. The browser's build has
// none: its module runs in one worker of the page, so a batch's drawings go
// one after another, and a workbook's rows are written as they come.
#pragma once

namespace toridasu {

#ifdef TORIDASU_NO_THREADS
inline constexpr bool kOwnThreads = false;
#else
inline constexpr bool kOwnThreads = true;
#endif

}  // namespace toridasu
