// toridasu.exe run as a process of its own, driven from outside the way a
// person (or the platform) would: its windows found by class, real keys and
// clicks sent, its exit code read.
#pragma once

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <utility>

namespace toridasu::test {

constexpr DWORD kStillRunning = 0xFFFFFFFF;

// The program built beside the tests (TORIDASU_PROGRAM names another).
std::string ProgramPath();
std::string ClassOf(HWND window);

class Program {
 public:
  explicit Program(int showCommand = -1);
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  bool Started() const { return started_; }
  // The program's top-level window of `className`, once `ready` holds.
  HWND WaitForWindow(const char* className, const std::function<bool(HWND)>& ready) const;
  bool WaitUntil(const std::function<bool()>& condition) const;
  // The exit code, or kStillRunning when the program does not end in time.
  DWORD WaitForExit() const;

 private:
  HWND Find(const char* className) const;

  PROCESS_INFORMATION process_{};
  bool started_ = false;
};

// The child window whose text is exactly `text` (Shift-JIS bytes).
HWND ChildWithText(HWND parent, const std::string& text);
// Key presses through the platform's input queue, as a keyboard makes them:
// pairs of a virtual key and whether it is the release.
void SendKeys(std::initializer_list<std::pair<WORD, bool>> keys);
// Types ASCII text key by key, with Shift where the layout needs it.
void TypeText(const std::string& text);
// A real left click at a point of the screen, or at the centre of a window.
bool ClickAt(int x, int y);
bool ClickOn(HWND window);
bool Visible(HWND window);

}  // namespace toridasu::test
