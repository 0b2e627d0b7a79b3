#include <iconv.h>
#include <sys/stat.h>

#include <cerrno>

#include "cli/terminal.h"

namespace toridasu::cli {

std::string ToTerminalText(std::string_view shiftJis) {
  iconv_t converter = iconv_open("UTF-8", "CP932");
  if (converter == reinterpret_cast<iconv_t>(-1)) return std::string(shiftJis);
  std::string out(shiftJis.size() * 3 + 4, '\0');
  char* in = const_cast<char*>(shiftJis.data());
  std::size_t inLeft = shiftJis.size();
  char* dest = out.data();
  std::size_t outLeft = out.size();
  while (inLeft > 0) {
    if (iconv(converter, &in, &inLeft, &dest, &outLeft) != static_cast<std::size_t>(-1)) break;
    if (errno != EILSEQ && errno != EINVAL) break;
    // A byte the code page does not know is shown as "?" rather than dropped.
    *dest++ = '?';
    --outLeft;
    ++in;
    --inLeft;
  }
  iconv_close(converter);
  out.resize(out.size() - outLeft);
  return out;
}

bool NamesSameFile(const std::string& a, const std::string& b) {
  if (a == b) return true;
  struct stat sa {}, sb {};
  if (stat(a.c_str(), &sa) != 0 || stat(b.c_str(), &sb) != 0) return false;
  return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

std::string DefaultOutputName(const std::string& input) {
  // '.' and '/' never occur inside a UTF-8 multi-byte character.
  const std::size_t slash = input.rfind('/');
  const std::size_t dot = input.rfind('.');
  const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
  return (hasExtension ? input.substr(0, dot) : input) + ".csv";
}

void UseBinaryStreams() {}

}  // namespace toridasu::cli
