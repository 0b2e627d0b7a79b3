// toridasu.exe as a process of its own, driven from outside.
#include "program_process.h"

#include <cstdlib>

namespace toridasu::test {
namespace {

constexpr int kPatience = 1500;  // polls of 20 ms: long enough for a slow machine

struct Search {
  DWORD process;
  const char* className;
  HWND found;
};

BOOL CALLBACK Match(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<Search*>(context);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != search->process || ClassOf(window) != search->className) return TRUE;
  search->found = window;
  return FALSE;
}

}  // namespace

std::string ProgramPath() {
  if (const char* path = std::getenv("TORIDASU_PROGRAM")) return path;
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, sizeof self);
  std::string folder(self);
  folder.resize(folder.rfind('\\'));
  return folder.substr(0, folder.rfind('\\')) + "\\app\\toridasu.exe";
}

std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

Program::Program(int showCommand) {
  STARTUPINFOA startUp{};
  startUp.cb = sizeof startUp;
  if (showCommand >= 0) {
    startUp.dwFlags = STARTF_USESHOWWINDOW;
    startUp.wShowWindow = static_cast<WORD>(showCommand);
  }
  // Appended piece by piece: GCC 12 wrongly warns of overlapping copies in
  // `"\"" + std::string`.
  std::string commandLine = "\"";
  commandLine += ProgramPath();
  commandLine += '"';
  started_ = CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            nullptr, &startUp, &process_) != FALSE;
}

Program::~Program() {
  if (!started_) return;
  if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
    TerminateProcess(process_.hProcess, 99);
    WaitForSingleObject(process_.hProcess, INFINITE);
  }
  CloseHandle(process_.hThread);
  CloseHandle(process_.hProcess);
}

HWND Program::WaitForWindow(const char* className, const std::function<bool(HWND)>& ready) const {
  for (int poll = 0; poll < kPatience; ++poll) {
    HWND found = Find(className);
    if (found != nullptr && ready(found)) return found;
    if (WaitForSingleObject(process_.hProcess, 20) != WAIT_TIMEOUT) return nullptr;
  }
  return nullptr;
}

bool Program::WaitUntil(const std::function<bool()>& condition) const {
  for (int poll = 0; poll < kPatience; ++poll) {
    if (condition()) return true;
    Sleep(20);
  }
  return false;
}

DWORD Program::WaitForExit() const {
  if (WaitForSingleObject(process_.hProcess, kPatience * 20) != WAIT_OBJECT_0) return kStillRunning;
  DWORD code = kStillRunning;
  GetExitCodeProcess(process_.hProcess, &code);
  return code;
}

HWND Program::Find(const char* className) const {
  Search search{process_.dwProcessId, className, nullptr};
  EnumWindows(&Match, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND ChildWithText(HWND parent, const std::string& text) {
  for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    char buffer[64] = {};
    GetWindowTextA(child, buffer, sizeof buffer);
    if (text == buffer) return child;
  }
  return nullptr;
}

void SendKeys(std::initializer_list<std::pair<WORD, bool>> keys) {
  for (const auto& [key, up] : keys) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(key, 0));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof input);
  }
}

void TypeText(const std::string& text) {
  for (const char c : text) {
    const SHORT scan = VkKeyScanA(c);
    const WORD key = LOBYTE(scan);
    if (scan & 0x100) {
      SendKeys({{VK_SHIFT, false}, {key, false}, {key, true}, {VK_SHIFT, true}});
    } else {
      SendKeys({{key, false}, {key, true}});
    }
  }
}

bool ClickAt(int x, int y) {
  // The move travels in the same input stream as the press, so the press
  // cannot reach the pointer's old place first.
  INPUT input[3] = {};
  for (INPUT& event : input) event.type = INPUT_MOUSE;
  input[0].mi.dx = MulDiv(x, 65536, GetSystemMetrics(SM_CXSCREEN)) + 1;
  input[0].mi.dy = MulDiv(y, 65536, GetSystemMetrics(SM_CYSCREEN)) + 1;
  input[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  input[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  input[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  return SendInput(3, input, sizeof input[0]) == 3;
}

bool ClickOn(HWND window) {
  RECT rect;
  GetWindowRect(window, &rect);
  return ClickAt((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
}

bool Visible(HWND window) { return IsWindowVisible(window) != FALSE; }

}  // namespace toridasu::test
