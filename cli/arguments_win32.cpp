#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include "cli/arguments.h"
#include "cli/wide_text.h"

namespace toridasu::cli {
namespace {

std::string Utf8FromAnsi(const char* ansi) {
  const int n = MultiByteToWideChar(CP_ACP, 0, ansi, -1, nullptr, 0);
  if (n <= 1) return {};
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, ansi, -1, wide.data(), n);
  wide.pop_back();  // the terminating zero
  return Utf8FromWide(wide);
}

}  // namespace

std::vector<std::string> ProgramArguments(int argc, char** argv) {
  std::vector<std::string> arguments;
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide == nullptr) {  // out of memory: argv, as far as the ANSI code page holds it
    for (int i = 0; i < argc; ++i) arguments.push_back(Utf8FromAnsi(argv[i]));
    return arguments;
  }
  for (int i = 0; i < count; ++i) arguments.push_back(Utf8FromWide(wide[i]));
  LocalFree(wide);
  return arguments;
}

std::string AnsiArgument(const std::string& argument) {
  bool complete = false;
  const std::string ansi = CodePageFromUtf8(argument, GetACP(), &complete);
  return complete ? ansi : argument;
}

}  // namespace toridasu::cli
