// A field that receives the focus by Tab or by a program request selects
// its whole text; a click places the caret without selecting.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "main_window_support.h"

namespace toridasu::test {
namespace {

using MainWindowFocus = MainWindowTest;

struct Selection {
  DWORD start = 0;
  DWORD end = 0;
  bool operator==(const Selection&) const = default;
};

Selection SelectionOf(ui::TEdit* field) {
  Selection selection;
  SendMessageA(field->Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&selection.start),
               reinterpret_cast<LPARAM>(&selection.end));
  return selection;
}

void Click(ui::TEdit* field, int x, int y) {
  const LPARAM at = MAKELPARAM(x, y);
  PostMessageA(field->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageA(field->Handle(), WM_LBUTTONUP, 0, at);
  Pump();
}

const std::string kPath = "C:\\dwg\\plan";
const DWORD kLength = static_cast<DWORD>(kPath.size());

TEST_F(MainWindowFocus, TabIntoAFieldSelectsItsWholeText) {
  Form().Edit2->SetText(kPath);
  Form().Button2->SetFocus();
  Pump();
  PressKey(VK_TAB);
  ASSERT_EQ(FocusedName(), "Edit2");
  EXPECT_EQ(SelectionOf(Form().Edit2), (Selection{0, kLength}));

  Form().Edit1->SetText(kPath);
  HeldKeys shift(true, false);
  PressKey(VK_TAB);  // back to Button2
  PressKey(VK_TAB);
  PressKey(VK_TAB);
  ASSERT_EQ(FocusedName(), "Edit1");
  EXPECT_EQ(SelectionOf(Form().Edit1), (Selection{0, kLength}));
}

TEST_F(MainWindowFocus, AProgramRequestSelectsTheWholeText) {
  Form().Edit1->SetText(kPath);
  Form().Edit2->SetText(kPath);
  Form().FocusField(ui::FieldId::kDestination);
  Pump();
  ASSERT_EQ(FocusedName(), "Edit2");
  EXPECT_EQ(SelectionOf(Form().Edit2), (Selection{0, kLength}));
  Form().FocusField(ui::FieldId::kSource);
  Pump();
  ASSERT_EQ(FocusedName(), "Edit1");
  EXPECT_EQ(SelectionOf(Form().Edit1), (Selection{0, kLength}));
}

TEST_F(MainWindowFocus, AClickPlacesTheCaretWithoutSelecting) {
  Form().Edit2->SetText(kPath);
  Form().Button1->SetFocus();
  Pump();
  // Left of the first character: the caret goes to the start.
  Click(Form().Edit2, 1, 5);
  ASSERT_EQ(FocusedName(), "Edit2");
  EXPECT_EQ(SelectionOf(Form().Edit2), (Selection{0, 0}));
  // Far right of the text: the caret goes to the end.
  Form().Button1->SetFocus();
  Pump();
  Click(Form().Edit2, 390, 5);
  ASSERT_EQ(FocusedName(), "Edit2");
  EXPECT_EQ(SelectionOf(Form().Edit2), (Selection{kLength, kLength}));
}

TEST_F(MainWindowFocus, TheMemoSelectsNothingWhenReachedByArrow) {
  Form().Button3->SetFocus();
  Pump();
  PressKey(VK_RIGHT);
  ASSERT_EQ(FocusedName(), "Memo1");
  const Selection selection = [&] {
    Selection s;
    SendMessageA(Form().Memo1->Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&s.start),
                 reinterpret_cast<LPARAM>(&s.end));
    return s;
  }();
  EXPECT_EQ(selection.start, selection.end);
}

TEST_F(MainWindowFocus, CtrlEndInTheMemoStopsOnItsLastLineOfText) {
  Form().Button3->SetFocus();
  Pump();
  PressKey(VK_RIGHT);
  ASSERT_EQ(FocusedName(), "Memo1");
  {
    HeldKeys control(false, true);
    PressKey(VK_END);
  }
  const HWND memo = Form().Memo1->Handle();
  const Selection caret = SelectionOf(Form().Memo1);
  const LRESULT lastLine = SendMessageA(memo, EM_GETLINECOUNT, 0, 0) - 1;
  EXPECT_EQ(SendMessageA(memo, EM_LINEFROMCHAR, caret.start, 0), lastLine);
  EXPECT_GT(SendMessageA(memo, EM_LINELENGTH, caret.start, 0), 0) << "an empty line after the text";
}

}  // namespace
}  // namespace toridasu::test
