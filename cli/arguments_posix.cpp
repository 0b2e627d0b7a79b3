#include "cli/arguments.h"

namespace toridasu::cli {

std::vector<std::string> ProgramArguments(int argc, char** argv) {
  return std::vector<std::string>(argv, argv + argc);
}

std::string AnsiArgument(const std::string& argument) { return argument; }

}  // namespace toridasu::cli
