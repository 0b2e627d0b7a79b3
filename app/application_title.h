// The program's name as the user sees it on the taskbar button and in the
// error box, taken from the executable's file name.
#pragma once

#include <string>
#include <string_view>

namespace toridasu::app {

// ApplicationTitle, the name on the taskbar button and in the error box:
// the executable's file name after the last backslash (a backslash that is the second
// byte of a double-byte character does not count), cut at its first ".",
// lower-cased after its first character: C:\TOOLS\TOOL.V2.EXE gives Tool.
std::string ApplicationTitleOf(std::string_view executablePath);

// The title of this process's executable.
std::string ApplicationTitle();

// The executable's full path (at most 255 bytes).
std::string ExecutablePath();

}  // namespace toridasu::app
