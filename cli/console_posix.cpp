#include <unistd.h>

#include "cli/console.h"

namespace toridasu::cli {

void WriteNative(std::FILE* stream, std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stream);
  std::fflush(stream);
}

bool IsTerminal(std::FILE* stream) { return isatty(fileno(stream)) != 0; }

void HoldOwnConsoleWindow(const std::string&) {}

void UseBinaryStreams() {}

}  // namespace toridasu::cli
