#include <unistd.h>

#include "cli/console.h"
#include "text/shift_jis.h"

namespace toridasu::cli {

std::string NativeFromShiftJis(std::string_view shiftJis) {
  std::string out;
  text::AppendShiftJisAsUtf8(shiftJis, true, out);
  return out;
}

std::string NativeFromUtf8(std::string_view utf8) { return std::string(utf8); }

std::string Utf8FromNative(std::string_view native) {
  std::string utf8;
  text::AppendAsUtf8(native, text::kUtf8CodePage, true, utf8);
  return utf8;
}

void WriteNative(std::FILE* stream, std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stream);
  std::fflush(stream);
}

bool IsTerminal(std::FILE* stream) { return isatty(fileno(stream)) != 0; }

std::size_t DisplayWidth(std::string_view text) {
  std::size_t width = 0;
  for (const char c : text) {
    const unsigned char b = static_cast<unsigned char>(c);
    if (b < 0x80)
      ++width;
    else if (b >= 0xC0)
      width += 2;  // the first byte of a (CJK) character
  }
  return width;
}

void HoldOwnConsoleWindow(const std::string&) {}

void UseBinaryStreams() {}

}  // namespace toridasu::cli
