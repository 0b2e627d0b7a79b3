// The converter's arguments as native text.
#pragma once

#include <string>
#include <vector>

namespace toridasu::cli {

// The arguments, the program's own name first. On Windows they are read
// again from the wide command line, so that a name with characters outside
// the ANSI code page comes through whole (argv would hold "?" for them); on
// Linux they are argv's bytes.
std::vector<std::string> ProgramArguments(int argc, char** argv);

// An argument in the ANSI code page, for a value that goes into the CSV
// file's bytes as it stands (the decimal separator): its bytes there when
// the code page holds it, else the argument as it is. On Linux, as it is.
std::string AnsiArgument(const std::string& argument);

}  // namespace toridasu::cli
