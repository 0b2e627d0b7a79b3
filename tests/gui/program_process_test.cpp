// toridasu.exe as a process of its own: every way of closing its window
// ends it with exit code 0, and so do logoff and shutdown; show command 7
// starts it as a taskbar button only, and restoring that shows the window;
// show command 3 opens it maximized.
#include "program_process.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>

namespace toridasu::test {
namespace {

// A real click of the mouse on the title bar's close button. Under Wine on a
// bare X server a click now and then goes astray before the window sees it
// (no close follows); while the window stands after a while, it is clicked
// again, so that the test speaks of the program and not of the input stream.
bool ClickCloseButton(HWND form) {
  constexpr int kClicks = 5;
  constexpr int kPollsPerClick = 100;  // 2 s
  for (int click = 0; click < kClicks && IsWindow(form); ++click) {
    RECT outer;
    GetWindowRect(form, &outer);
    const int y =
        outer.top + GetSystemMetrics(SM_CYFIXEDFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2;
    int x = outer.right - 1;
    while (x > outer.right - 80 && SendMessageA(form, WM_NCHITTEST, 0, MAKELPARAM(x, y)) != HTCLOSE)
      --x;
    if (x == outer.right - 80) return !IsWindow(form);  // closing as it was asked
    if (!ClickAt(x, y)) return false;
    for (int poll = 0; poll < kPollsPerClick && IsWindow(form); ++poll) Sleep(20);
  }
  return true;
}

struct CloseCase {
  const char* name;
  std::function<void(HWND form, HWND application)> close;
};

TEST(ProgramProcess, EveryWayOfClosingEndsTheProcessWithExitCodeZero) {
  const CloseCase cases[] = {
      {"Button4",
       [](HWND form, HWND) {
         // 終了(&X)
         HWND button = ChildWithText(form, "\x8F\x49\x97\xB9\x28\x26\x58\x29");
         ASSERT_NE(button, nullptr);
         PostMessageA(button, BM_CLICK, 0, 0);
       }},
      {"the title bar's close button",
       [](HWND form, HWND) { ASSERT_TRUE(ClickCloseButton(form)); }},
      {"Alt+F4",
       [](HWND form, HWND) {
         ASSERT_EQ(GetForegroundWindow(), form);
         SendKeys({{VK_MENU, false}, {VK_F4, false}, {VK_F4, true}, {VK_MENU, true}});
       }},
      {"Close in the window menu",
       [](HWND form, HWND) { PostMessageA(form, WM_SYSCOMMAND, SC_CLOSE, 0); }},
      {"Close of the taskbar button",
       [](HWND, HWND application) { PostMessageA(application, WM_SYSCOMMAND, SC_CLOSE, 0); }},
      {"logoff",
       [](HWND form, HWND application) {
         EXPECT_NE(SendMessageA(form, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), 0);
         EXPECT_NE(SendMessageA(application, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), 0);
         PostMessageA(application, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
       }},
      {"shutdown",
       [](HWND, HWND application) { PostMessageA(application, WM_ENDSESSION, TRUE, 0); }},
  };
  for (const CloseCase& c : cases) {
    SCOPED_TRACE(c.name);
    Program program;
    ASSERT_TRUE(program.Started()) << ProgramPath();
    HWND form = program.WaitForWindow("TForm1", &Visible);
    ASSERT_NE(form, nullptr);
    HWND application = program.WaitForWindow("TApplication", &Visible);
    ASSERT_NE(application, nullptr);
    ASSERT_TRUE(program.WaitUntil([&] { return GetForegroundWindow() == form; }));
    c.close(form, application);
    EXPECT_EQ(program.WaitForExit(), 0u);
  }
}

TEST(ProgramProcess, ShowCommandSevenStartsAsATaskbarButtonAndRestoringShowsTheWindow) {
  Program program(SW_SHOWMINNOACTIVE);
  ASSERT_TRUE(program.Started()) << ProgramPath();
  HWND application = program.WaitForWindow("TApplication", [](HWND w) { return IsIconic(w); });
  ASSERT_NE(application, nullptr);
  HWND form = program.WaitForWindow("TForm1", [](HWND) { return true; });
  ASSERT_NE(form, nullptr);
  EXPECT_FALSE(IsWindowVisible(form));

  PostMessageA(application, WM_SYSCOMMAND, SC_RESTORE, 0);
  ASSERT_TRUE(program.WaitUntil([&] { return IsWindowVisible(form) != FALSE; }));
  EXPECT_FALSE(IsIconic(application));
  EXPECT_FALSE(IsIconic(form));
  EXPECT_FALSE(IsZoomed(form));
  RECT rect;
  GetWindowRect(form, &rect);
  EXPECT_EQ(rect.left, 192);
  EXPECT_EQ(rect.top, 118);

  PostMessageA(form, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitForExit(), 0u);
}

TEST(ProgramProcess, TwoCopiesRunSideBySide) {
  Program first;
  Program second;
  ASSERT_TRUE(first.Started() && second.Started()) << ProgramPath();
  HWND firstForm = first.WaitForWindow("TForm1", &Visible);
  HWND secondForm = second.WaitForWindow("TForm1", &Visible);
  ASSERT_NE(firstForm, nullptr);
  ASSERT_NE(secondForm, nullptr);
  EXPECT_NE(firstForm, secondForm);
  PostMessageA(secondForm, WM_CLOSE, 0, 0);
  EXPECT_EQ(second.WaitForExit(), 0u);
  EXPECT_TRUE(IsWindowVisible(firstForm));
  PostMessageA(firstForm, WM_CLOSE, 0, 0);
  EXPECT_EQ(first.WaitForExit(), 0u);
}

TEST(ProgramProcess, ShowCommandThreeOpensTheWindowMaximized) {
  Program program(SW_SHOWMAXIMIZED);
  ASSERT_TRUE(program.Started()) << ProgramPath();
  HWND form = program.WaitForWindow("TForm1", &Visible);
  ASSERT_NE(form, nullptr);
  EXPECT_TRUE(IsZoomed(form));
  PostMessageA(form, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitForExit(), 0u);
}

}  // namespace
}  // namespace toridasu::test
