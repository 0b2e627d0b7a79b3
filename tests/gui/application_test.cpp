// The application object: ApplicationTitle, ApplicationWindow, the event
// loop's dispatch with its keyboard pre-dispatch, the idle wait, the close
// requests it answers, minimizing and restoring, and its message box.
#include "app/application.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <thread>
#include <vector>

#include "app/app_shell.h"
#include "app/application_title.h"
#include "box_watcher.h"
#include "files/file_names.h"
#include "main_window_support.h"
#include "test_shell.h"

namespace toridasu::test {
namespace {

TEST(ApplicationTitle, IsTheFileNameUpToItsFirstDotLowerCasedAfterItsFirstCharacter) {
  struct TitleCase {
    std::string path;
    std::string title;
  };
  const TitleCase cases[] = {
      {"C:\\TOOLS\\TOOL.V2.EXE", "Tool"},
      {"C:\\Program Files\\TORIDASU\\TORIDASU.EXE", "Toridasu"},
      {"D:\\a.b\\prog", "prog"},  // a dot in a directory is not the name's
      {"C:\\x\\.hidden.exe", ""},
      {"toridasu.exe", "toridasu"},  // the first character keeps its case
      {"C:\\bin\\aBC.EXE", "abc"},
      // 表 (0x95 0x5C): its second byte is no backslash.
      {"C:\\\x95\x5C\\\x95\x5CTOOL.EXE", "\x95\x5Ctool"},
      // ア (0x83 0x41) keeps both bytes: the first character keeps its case.
      {"C:\\\x83\x41"
       "BC.EXE",
       "\x83\x41"
       "bc"},
      // ＡＢＣ: full-width letters are lowered too, after the first.
      {"C:\\\x82\x60\x82\x61\x82\x62.exe", "\x82\x60\x82\x82\x82\x83"},
  };
  ASSERT_TRUE(DoubleByteSystem());
  for (const TitleCase& c : cases) {
    EXPECT_EQ(app::ApplicationTitleOf(c.path), c.title) << c.path;
  }
  EXPECT_EQ(app::ApplicationTitle(), "toridasu_gui_tests");
}

TEST(ApplicationWindow, IsAHiddenZeroSizeOwnerWithTheTitleAndIcon) {
  app::InstallShell();
  HWND window = app::Application->Handle();
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  EXPECT_STREQ(name, "TApplication");
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)) & ~WS_VISIBLE, 0x84CA0000u);
  EXPECT_EQ(GetWindowLongA(window, GWL_EXSTYLE) & ~WS_EX_WINDOWEDGE, 0);
  EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr);
  RECT rect;
  GetWindowRect(window, &rect);
  EXPECT_EQ(rect.right - rect.left, 0);
  EXPECT_EQ(rect.bottom - rect.top, 0);
  EXPECT_EQ(rect.left, GetSystemMetrics(SM_CXSCREEN) / 2);
  EXPECT_EQ(rect.top, GetSystemMetrics(SM_CYSCREEN) / 2);
  EXPECT_EQ(app::Application->Title(), "toridasu_gui_tests");
  EXPECT_EQ(ui::CurrentShell().Title(), "toridasu_gui_tests");
  // The icon resource MAINICON, on the window and its class.
  HICON icon = LoadIconA(GetModuleHandleA(nullptr), "MAINICON");
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(app::Application->Icon(), icon);
  EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, ICON_BIG, 0)), icon);
  EXPECT_EQ(reinterpret_cast<HICON>(GetClassLongPtrA(window, GCLP_HICON)), icon);
  // The taskbar button's menu: Restore, Minimize and Close.
  HMENU menu = GetSystemMenu(window, FALSE);
  for (UINT gone : {SC_MAXIMIZE, SC_SIZE, SC_MOVE}) {
    EXPECT_EQ(GetMenuState(menu, gone, MF_BYCOMMAND), static_cast<UINT>(-1)) << gone;
  }
  for (UINT kept : {SC_RESTORE, SC_MINIMIZE, SC_CLOSE}) {
    EXPECT_NE(GetMenuState(menu, kept, MF_BYCOMMAND), static_cast<UINT>(-1)) << kept;
  }
}

// A window that records what reaches it and uses up the pre-dispatched key
// messages when told to.
struct Recorder {
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= WM_KEYDOWN && message <= WM_KEYDOWN + 9) seen.push_back(message);
    if (message >= ui::kCnBase + WM_KEYDOWN && message <= ui::kCnBase + WM_KEYDOWN + 9) {
      seen.push_back(message);
      return consume ? 1 : 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
  }
  static inline std::vector<UINT> seen;
  static inline bool consume = false;
};

TEST(EventLoop, KeyMessagesReachTheirWindowAsMessagePlusBC00First) {
  HWND window = test::MakeTestWindow(WS_POPUP, nullptr, 0, 0, 10, 10, &Recorder::Proc);
  ASSERT_NE(window, nullptr);
  Pump();
  // WM_KEYDOWN .. 0x0108 are offered first; 0x0109 (WM_UNICHAR) is not.
  for (UINT message = WM_KEYDOWN; message <= WM_KEYDOWN + 9; ++message) {
    for (bool consume : {false, true}) {
      SCOPED_TRACE(std::to_string(message) + (consume ? " used up" : " passed on"));
      Recorder::seen.clear();
      Recorder::consume = consume;
      PostMessageA(window, message, 'Q', 0);
      ASSERT_TRUE(app::Application->DispatchNextMessage());
      std::vector<UINT> expected;
      if (message <= WM_KEYDOWN + 8) expected.push_back(message + ui::kCnBase);
      if (message > WM_KEYDOWN + 8 || !consume) expected.push_back(message);
      // A key down passed on is translated into a character message.
      while (app::Application->DispatchNextMessage()) {
      }
      ASSERT_GE(Recorder::seen.size(), expected.size());
      Recorder::seen.resize(expected.size());
      EXPECT_EQ(Recorder::seen, expected);
    }
  }
  DestroyWindow(window);
  EXPECT_FALSE(app::Application->DispatchNextMessage());
}

TEST(EventLoop, QuitMessageSetsTheTerminateFlagAndIdleStepWaitsForAMessage) {
  app::Application->ResetTerminated();
  app::Application->RequestQuit();
  EXPECT_TRUE(app::Application->DispatchNextMessage());
  EXPECT_TRUE(app::Application->Terminated());
  app::Application->ResetTerminated();
  EXPECT_FALSE(app::Application->DispatchNextMessage());

  // IdleStep returns once a message arrives (here from another thread).
  const DWORD thread = GetCurrentThreadId();
  std::thread poster([thread] { PostThreadMessageA(thread, WM_APP + 7, 0, 0); });
  app::Application->IdleStep(MSG{});
  poster.join();
  MSG message;
  EXPECT_TRUE(PeekMessageA(&message, nullptr, WM_APP + 7, WM_APP + 7, PM_REMOVE));
}

using ApplicationWindowMessages = MainWindowTest;

TEST_F(ApplicationWindowMessages, TaskbarCloseClosesTheMainWindowAndEndsTheLoop) {
  PostMessageA(app::Application->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
  Pump();
  EXPECT_TRUE(app::Application->Terminated());
}

TEST_F(ApplicationWindowMessages, TheMainWindowsCloseRequestsEndTheLoop) {
  struct Way {
    const char* name;
    UINT message;
    WPARAM wParam;
  };
  const Way ways[] = {{"close button or window menu", WM_SYSCOMMAND, SC_CLOSE},
                      {"WM_CLOSE", WM_CLOSE, 0}};
  for (const Way& way : ways) {
    SCOPED_TRACE(way.name);
    app::Application->ResetTerminated();
    PostMessageA(Form().Handle(), way.message, way.wParam, 0);
    Pump();
    EXPECT_TRUE(app::Application->Terminated());
    EXPECT_TRUE(IsWindowVisible(Form().Handle()));
  }
  // Alt+F4 on a control: the platform turns it into the close command.
  app::Application->ResetTerminated();
  PressKey(VK_F4, true);
  EXPECT_TRUE(app::Application->Terminated());
}

TEST_F(ApplicationWindowMessages, LogoffIsAllowedWithoutAQuestion) {
  EXPECT_NE(SendMessageA(Form().Handle(), WM_QUERYENDSESSION, 0, 0), 0);
  EXPECT_NE(SendMessageA(app::Application->Handle(), WM_QUERYENDSESSION, 0, 0), 0);
}

TEST_F(ApplicationWindowMessages, MinimizingAndRestoringGoThroughTheApplicationWindow) {
  HWND application = app::Application->Handle();
  EXPECT_TRUE(IsWindowVisible(application));  // it follows the visible form
  // The main window's own minimize command minimizes the application.
  SendMessageA(Form().Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  Pump();
  EXPECT_TRUE(IsIconic(application));
  EXPECT_FALSE(IsIconic(Form().Handle()));
  SendMessageA(application, WM_SYSCOMMAND, SC_RESTORE, 0);
  Pump();
  EXPECT_FALSE(IsIconic(application));
  EXPECT_TRUE(IsWindowVisible(Form().Handle()));
  RECT rect;
  GetWindowRect(Form().Handle(), &rect);
  EXPECT_EQ(rect.left, 192);
  EXPECT_EQ(rect.top, 118);
}

TEST_F(ApplicationWindowMessages, MessageBoxIsOwnedByTheApplicationWindowAndDisablesTheRest) {
  BoxWatcher watcher(Form().Handle());
  const int answer = app::ApplicationMessageBox("text", "caption", MB_OK | MB_ICONSTOP);
  const std::vector<SeenBox> boxes = watcher.Stop();
  EXPECT_EQ(answer, IDOK);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "text");
  EXPECT_EQ(boxes[0].caption, "caption");
  EXPECT_EQ(boxes[0].owner, app::Application->Handle());
  EXPECT_FALSE(boxes[0].watchedWindowEnabled);
  EXPECT_TRUE(IsWindowEnabled(Form().Handle()));
  EXPECT_TRUE(IsWindowEnabled(app::Application->Handle()));
}

TEST_F(ApplicationWindowMessages, ApplicationWindowHidesWhenNoFormIsVisible) {
  HWND application = app::Application->Handle();
  EXPECT_TRUE(IsWindowVisible(application));
  Form().Hide();
  EXPECT_FALSE(IsWindowVisible(application));
  Form().Show();
  EXPECT_TRUE(IsWindowVisible(application));
}

}  // namespace
}  // namespace toridasu::test
