#include <unistd.h>

#include <cstdlib>

#include "cli/scratch.h"

namespace toridasu::cli {

unsigned long ProcessNumber() { return static_cast<unsigned long>(getpid()); }

std::string ScratchFolder() {
  const char* folder = std::getenv("TMPDIR");
  return folder && *folder ? folder : "/tmp";
}

}  // namespace toridasu::cli
