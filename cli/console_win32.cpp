#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include "cli/console.h"
#include "cli/wide_text.h"
#include "text/code_page.h"

namespace toridasu::cli {
namespace {

HANDLE HandleOf(std::FILE* stream) {
  return reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
}

}  // namespace

// The program's texts are in the ANSI code page already.
std::string NativeFromShiftJis(std::string_view shiftJis) { return std::string(shiftJis); }

std::string NativeFromUtf8(std::string_view utf8) {
  std::string shiftJis;
  text::AppendUtf8AsShiftJis(utf8, true, shiftJis);
  return shiftJis;
}

std::string Utf8FromNative(std::string_view native) {
  std::string utf8;
  text::AppendAsUtf8(native, text::kHomeCodePage, true, utf8);
  return utf8;
}

void WriteNative(std::FILE* stream, std::string_view text) {
  std::fflush(stream);
  const HANDLE handle = HandleOf(stream);
  DWORD mode = 0;
  if (GetConsoleMode(handle, &mode)) {
    // A console shows UTF-16 whatever its code page.
    const std::wstring wide = WideFromAnsi(text);
    DWORD written = 0;
    WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    return;
  }
  std::fwrite(text.data(), 1, text.size(), stream);
  std::fflush(stream);
}

bool IsTerminal(std::FILE* stream) {
  DWORD mode = 0;
  return GetConsoleMode(HandleOf(stream), &mode) != 0;
}

// In code page 932 a double-width character is two bytes.
std::size_t DisplayWidth(std::string_view text) { return text.size(); }

void HoldOwnConsoleWindow(const std::string& prompt) {
  DWORD processes[2];
  if (GetConsoleProcessList(processes, 2) != 1) return;
  WriteNative(stderr, prompt + "\n");
  const HANDLE input =
      CreateFileA("CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                  nullptr, OPEN_EXISTING, 0, nullptr);
  if (input == INVALID_HANDLE_VALUE) return;
  FlushConsoleInputBuffer(input);
  INPUT_RECORD record;
  DWORD got = 0;
  while (ReadConsoleInputW(input, &record, 1, &got) && got == 1) {
    if (record.EventType == KEY_EVENT && record.Event.KeyEvent.bKeyDown) break;
  }
  CloseHandle(input);
}

void UseBinaryStreams() {
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
}

}  // namespace toridasu::cli
