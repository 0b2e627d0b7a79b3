// Test helper that stands for a user who drops drawings on a program in
// Explorer: the program gets a console window of its own, and the user
// presses a key when done reading.
//   toridasu_console_driver WAIT_FOR PROGRAM [ARGUMENT...]
//       starts PROGRAM in a new console, waits until the file WAIT_FOR
//       exists and a second more, checks that the program is still there
//       (waiting for a key), types a key into its console and waits for it
//       to end.
// Exit 0 when the program waited and ended on the key; 1 when it ended
// without waiting; 2 when it did not end on the key; 3 when it could not be
// started or its console not reached.
#include <windows.h>

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
  if (argc < 3) return 3;
  std::string commandLine;
  for (int i = 2; i < argc; ++i) {
    if (!commandLine.empty()) commandLine += ' ';
    commandLine += '"' + std::string(argv[i]) + '"';
  }
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NEW_CONSOLE,
                      nullptr, nullptr, &startup, &process)) {
    std::fprintf(stderr, "cannot start %s: %lu\n", argv[2], GetLastError());
    return 3;
  }
  for (int poll = 0; poll < 600 && GetFileAttributesA(argv[1]) == INVALID_FILE_ATTRIBUTES; ++poll) {
    Sleep(100);
  }
  if (WaitForSingleObject(process.hProcess, 1000) == WAIT_OBJECT_0) {
    std::fprintf(stderr, "the program ended without waiting for a key\n");
    return 1;
  }
  FreeConsole();
  if (!AttachConsole(process.dwProcessId)) {
    std::fprintf(stderr, "cannot attach to the program's console: %lu\n", GetLastError());
    TerminateProcess(process.hProcess, 3);
    return 3;
  }
  const HANDLE input =
      CreateFileA("CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                  nullptr, OPEN_EXISTING, 0, nullptr);
  INPUT_RECORD key[2] = {};
  for (int i = 0; i < 2; ++i) {
    key[i].EventType = KEY_EVENT;
    key[i].Event.KeyEvent.bKeyDown = i == 0;
    key[i].Event.KeyEvent.wRepeatCount = 1;
    key[i].Event.KeyEvent.wVirtualKeyCode = VK_SPACE;
    key[i].Event.KeyEvent.uChar.UnicodeChar = L' ';
  }
  DWORD written = 0;
  WriteConsoleInputW(input, key, 2, &written);
  CloseHandle(input);
  FreeConsole();
  if (WaitForSingleObject(process.hProcess, 30000) != WAIT_OBJECT_0) {
    std::fprintf(stderr, "the program did not end on the key\n");
    TerminateProcess(process.hProcess, 2);
    return 2;
  }
  return 0;
}
