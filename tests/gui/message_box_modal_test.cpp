// A shown message box: the modal state it sets up and takes down, where it
// opens, and the keys, buttons and requests that close it with which result.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/string_ids.h"
#include "base/string_table.h"
#include "message_box_harness.h"
#include "ui/message_box.h"

namespace toridasu::ui::box_test {
namespace {

using MessageBoxModalTest = MessageBoxTest;

TEST_F(MessageBoxModalTest, ShowingDisablesTheProgramFocusesTheFirstButtonAndRestores) {
  HWND mainForm = shell_.MainFormWindow();
  // Another window above the main form, so that activation does not fall
  // back to the main form by itself when the box goes.
  HWND other = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 500, 400, 50, 50, nullptr,
                               nullptr, GetModuleHandleA(nullptr), nullptr);
  SetActiveWindow(mainForm);
  SetWindowPos(other, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ASSERT_EQ(GetActiveWindow(), mainForm);
  struct Seen {
    HWND box = nullptr;
    bool mainFormEnabled = true;
    HWND active = nullptr;
    std::string focusText;
    RECT outer{};
  } seen;
  const int result = ShowWithSteps({[&](HWND box) {
                                     seen.box = box;
                                     seen.mainFormEnabled = IsWindowEnabled(mainForm);
                                     seen.active = GetActiveWindow();
                                     seen.focusText = WindowText(GetFocus());
                                     GetWindowRect(box, &seen.outer);
                                     PostMessageA(box, WM_CLOSE, 0, 0);
                                   }},
                                   "Modal", mkConfirmation, ButtonSet({bnNo, bnYes}));
  EXPECT_EQ(result, mrCancel);
  EXPECT_FALSE(seen.mainFormEnabled);
  EXPECT_EQ(seen.active, seen.box);
  EXPECT_EQ(seen.focusText, LoadResString(text_id::kMsgDlgYes));  // Yes, first in creation order
  // Centred on the screen.
  EXPECT_EQ(seen.outer.left, (GetSystemMetrics(SM_CXSCREEN) - Width(seen.outer)) / 2);
  EXPECT_EQ(seen.outer.top, (GetSystemMetrics(SM_CYSCREEN) - Height(seen.outer)) / 2);

  EXPECT_FALSE(IsWindow(seen.box));
  EXPECT_TRUE(IsWindowEnabled(mainForm));
  EXPECT_TRUE(IsWindowEnabled(other));
  EXPECT_EQ(GetActiveWindow(), mainForm);
  DestroyWindow(other);
}

TEST_F(MessageBoxModalTest, BoxTallerThanTheScreenOpensAtTheTop) {
  std::string text;
  for (int i = 0; i < 80; ++i) text += "line\n";
  RECT outer{};
  const int result = ShowWithSteps({[&](HWND box) {
                                     GetWindowRect(box, &outer);
                                     PostKey(GetFocus(), VK_RETURN);
                                   }},
                                   text, mkWarning, ButtonBit(bnOK));
  EXPECT_EQ(result, mrOk);
  EXPECT_GT(Height(outer), GetSystemMetrics(SM_CYSCREEN));
  EXPECT_EQ(outer.top, 0);
  EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - Width(outer)) / 2);
}

TEST_F(MessageBoxModalTest, GivenCornerPlacesTheBox) {
  struct PlaceCase {
    int x, y;
    bool leftGiven, topGiven;
  };
  const PlaceCase cases[] = {{10, 20, true, true}, {15, -1, true, false}, {-1, 25, false, true}};
  for (const PlaceCase& c : cases) {
    RECT outer{};
    const int result = ShowWithSteps({[&](HWND box) {
                                       GetWindowRect(box, &outer);
                                       PostMessageA(box, WM_CLOSE, 0, 0);
                                     }},
                                     "Placed", mkInformation, ButtonBit(bnOK), c.x, c.y);
    EXPECT_EQ(result, mrCancel);
    // An edge not given keeps the place the box was built with, no centring.
    const int builtLeft = GetSystemMetrics(SM_CXSCREEN) / 2 - Width(outer) / 2;
    const int builtTop = GetSystemMetrics(SM_CYSCREEN) / 2 - Height(outer) / 2;
    EXPECT_EQ(outer.left, c.leftGiven ? c.x : builtLeft);
    EXPECT_EQ(outer.top, c.topGiven ? c.y : builtTop);
  }
}

TEST_F(MessageBoxModalTest, EnterSpaceAndEscapeCloseTheProgramsBoxesWithOk) {
  const UINT keys[] = {VK_RETURN, VK_SPACE, VK_ESCAPE};
  for (MessageBoxKind kind : {mkWarning, mkInformation}) {
    for (UINT key : keys) {
      SCOPED_TRACE(key);
      const int result =
          ShowWithSteps({[&](HWND) { PostKey(GetFocus(), key); }}, "Done", kind, ButtonBit(bnOK));
      EXPECT_EQ(result, mrOk);
    }
  }
}

TEST_F(MessageBoxModalTest, CloseRequestsGiveCancelWithoutACancelButton) {
  const std::vector<Step> requests = {
      [](HWND box) { PostMessageA(box, WM_SYSCOMMAND, SC_CLOSE, 0); },  // close button, menu
      [](HWND box) { PostMessageA(box, WM_SYSKEYDOWN, VK_F4, (1 << 29) | 1); },  // Alt+F4
      [](HWND box) { PostMessageA(box, WM_CLOSE, 0, 0); },
  };
  for (MessageBoxButtons set :
       {ButtonSet({bnOK}), ButtonSet({bnYes, bnNo}), ButtonSet({bnAbort, bnRetry})}) {
    for (const Step& request : requests) {
      EXPECT_EQ(ShowWithSteps({request}, "Close me", mkWarning, set), mrCancel) << set;
    }
  }
}

TEST_F(MessageBoxModalTest, QuitRequestEndsTheBoxAndStaysQueued) {
  const int result =
      ShowWithSteps({[](HWND) { PostQuitMessage(7); }}, "Quit", mkWarning, ButtonBit(bnOK));
  EXPECT_EQ(result, mrCancel);
  MSG quit;
  ASSERT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(quit.wParam, 7u);
}

struct EscapeCase {
  MessageBoxButtons buttons;
  int result;  // mrNone: Escape leaves the box open
};

TEST_F(MessageBoxModalTest, EscapeClicksTheCancelButton) {
  const EscapeCase cases[] = {
      {ButtonSet({bnOK}), mrOk},
      {ButtonSet({bnOK, bnCancel}), mrCancel},
      {ButtonSet({bnYes, bnNo, bnCancel}), mrCancel},
      {ButtonSet({bnYes, bnNo}), mrNo},
      {ButtonSet({bnYes, bnNo, bnOK}), mrNo},
      {ButtonSet({bnAbort, bnRetry, bnIgnore}), mrNone},
      {ButtonSet({bnYesToAll, bnNoToAll}), mrNone},
  };
  for (const EscapeCase& c : cases) {
    SCOPED_TRACE(c.buttons);
    bool leftOpen = false;
    const int result = ShowWithSteps({[](HWND) { PostKey(GetFocus(), VK_ESCAPE); },
                                      [&](HWND box) {
                                        leftOpen = true;
                                        PostMessageA(box, WM_CLOSE, 0, 0);
                                      }},
                                     "Escape", mkConfirmation, c.buttons);
    EXPECT_EQ(leftOpen, c.result == mrNone);
    EXPECT_EQ(result, c.result == mrNone ? mrCancel : c.result);
  }
}

struct KeyCase {
  const char* name;
  MessageBoxButtons buttons;
  std::vector<Step> steps;
  int result;
};

Step Key(UINT key) {
  return [key](HWND) { PostKey(GetFocus(), key); };
}
Step ShiftKey(UINT key) {
  return [key](HWND) {
    HoldShift(true);
    PostKey(GetFocus(), key);
  };
}
Step ReleaseShiftAnd(UINT key) {
  return [key](HWND) {
    HoldShift(false);
    PostKey(GetFocus(), key);
  };
}
Step AltChar(char letter) {
  return [letter](HWND) { PostAltChar(GetFocus(), letter); };
}
Step TypedChar(char letter) {
  return [letter](HWND) { PostMessageA(GetFocus(), WM_CHAR, letter, 1); };
}

TEST_F(MessageBoxModalTest, KeysMoveTheFocusAndClickButtons) {
  const MessageBoxButtons yesNoAbort = ButtonSet({bnYes, bnNo, bnAbort});
  const KeyCase cases[] = {
      {"Enter clicks the first button", yesNoAbort, {Key(VK_RETURN)}, mrYes},
      {"Tab", yesNoAbort, {Key(VK_TAB), Key(VK_RETURN)}, mrNo},
      {"Tab wraps", yesNoAbort, {Key(VK_TAB), Key(VK_TAB), Key(VK_TAB), Key(VK_RETURN)}, mrYes},
      {"Shift+Tab wraps back", yesNoAbort, {ShiftKey(VK_TAB), ReleaseShiftAnd(VK_RETURN)}, mrAbort},
      {"Right", yesNoAbort, {Key(VK_RIGHT), Key(VK_RIGHT), Key(VK_RETURN)}, mrAbort},
      {"Down", yesNoAbort, {Key(VK_DOWN), Key(VK_RETURN)}, mrNo},
      {"Left wraps", yesNoAbort, {Key(VK_LEFT), Key(VK_RETURN)}, mrAbort},
      {"Up", yesNoAbort, {Key(VK_LEFT), Key(VK_UP), Key(VK_RETURN)}, mrNo},
      {"Space on the focused button", yesNoAbort, {Key(VK_TAB), Key(VK_SPACE)}, mrNo},
      {"Alt+N", yesNoAbort, {AltChar('n')}, mrNo},
      {"Alt+A", yesNoAbort, {AltChar('A')}, mrAbort},
      {"typed n on a button", yesNoAbort, {TypedChar('n')}, mrNo},
      {"Alt+R", ButtonSet({bnAbort, bnRetry, bnIgnore}), {AltChar('r')}, mrRetry},
      {"Alt+I", ButtonSet({bnAbort, bnRetry, bnIgnore}), {AltChar('I')}, mrIgnore},
      {"&A is Abort's before All's",
       ButtonSet({bnAll, bnAbort, bnYesToAll}),
       {AltChar('a')},
       mrAbort},
      {"Alt+O", ButtonSet({bnNoToAll, bnYesToAll}), {AltChar('o')}, mrNoToAll},
      {"Cancel has no accelerator",
       ButtonSet({bnOK, bnCancel}),
       {AltChar('c'), Key(VK_RETURN)},
       mrOk},
  };
  for (const KeyCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ShowWithSteps(c.steps, "Keys", mkConfirmation, c.buttons), c.result);
  }
  HoldShift(false);
}

TEST_F(MessageBoxModalTest, HelpButtonLeavesTheBoxOpen) {
  bool leftOpen = false;
  const int result = ShowWithSteps({[](HWND box) {
                                      HWND help = ButtonsOf(box).back().window;
                                      PostMessageA(help, BM_CLICK, 0, 0);
                                    },
                                    [&](HWND box) {
                                      leftOpen = true;
                                      PostMessageA(box, WM_CLOSE, 0, 0);
                                    }},
                                   "Help", mkInformation, ButtonSet({bnOK, bnHelp}));
  EXPECT_TRUE(leftOpen);
  EXPECT_EQ(result, mrCancel);
}

}  // namespace
}  // namespace toridasu::ui::box_test
