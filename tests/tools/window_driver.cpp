// Test and screenshot helper that drives toridasu.exe from outside:
//   toridasu_window_driver close CLASS [TITLE]
//       waits for a visible top-level window of CLASS (and TITLE) and asks it
//       to close as its close button would;
//   toridasu_window_driver convert SOURCE DESTINATION
//       waits for the main window, puts the two names into its fields,
//       clicks the convert button and waits for the result box.
// Exit 0 when it did so, 1 when the window never appeared, 2 for bad usage.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "child_at.h"

namespace {

using toridasu::test::ChildAt;

constexpr int kPolls = 600;  // 100 ms each: up to a minute

HWND WaitForVisible(const char* className, const char* title) {
  for (int poll = 0; poll < kPolls; ++poll) {
    HWND window = FindWindowA(className, title);
    if (window != nullptr && IsWindowVisible(window)) return window;
    Sleep(100);
  }
  std::fprintf(stderr, "no window of class %s appeared\n", className);
  return nullptr;
}

int Close(const char* className, const char* title) {
  HWND window = WaitForVisible(className, title);
  if (window == nullptr) return 1;
  PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
  return 0;
}

int Convert(const char* source, const char* destination) {
  HWND form = WaitForVisible("TForm1", nullptr);
  if (form == nullptr) return 1;
  // Edit1, Edit2 and Button2 where the window's layout puts them.
  HWND edit1 = ChildAt(form, 8, 40);
  HWND edit2 = ChildAt(form, 8, 120);
  HWND convert = ChildAt(form, 224, 72);
  if (!edit1 || !edit2 || !convert) return 1;
  SendMessageA(edit1, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(source));
  SendMessageA(edit2, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(destination));
  PostMessageA(convert, BM_CLICK, 0, 0);
  return WaitForVisible("TMessageForm", nullptr) != nullptr ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 3 && std::strcmp(argv[1], "close") == 0)
    return Close(argv[2], argc > 3 ? argv[3] : nullptr);
  if (argc == 4 && std::strcmp(argv[1], "convert") == 0) return Convert(argv[2], argv[3]);
  std::fprintf(stderr,
               "usage: toridasu_window_driver close CLASS [TITLE] | convert SOURCE DESTINATION\n");
  return 2;
}
