// The main window's keys, posted as the keyboard posts them and routed
// through the program's own dispatch: Tab and Shift+Tab, the arrows on
// buttons, Enter, Escape, Space, Alt+X and X, and the initial focus.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "app/application.h"
#include "main_window_support.h"

namespace toridasu::test {
namespace {

using MainWindowKeys = MainWindowTest;

ui::TWinControl* Named(ui::TForm1& form, const std::string& name) {
  return dynamic_cast<ui::TWinControl*>(form.FindComponent(name));
}

void FocusOn(ui::TForm1& form, const std::string& name) {
  Named(form, name)->SetFocus();
  Pump();
  ASSERT_EQ(FocusedName(), name);
}

TEST_F(MainWindowKeys, FocusStartsOnTheFirstFieldWhenTheWindowIsShown) {
  EXPECT_EQ(GetActiveWindow(), Form().Handle());
  EXPECT_EQ(FocusedName(), "Edit1");
}

struct MoveCase {
  const char* from;
  UINT key;
  bool shift;
  const char* to;
};

TEST_F(MainWindowKeys, TabAndShiftTabCycleThroughTabStopsAndSkipTheMemo) {
  const MoveCase cases[] = {
      {"Edit1", VK_TAB, false, "Button1"},
      {"Button1", VK_TAB, false, "Button2"},
      {"Button2", VK_TAB, false, "Edit2"},
      {"Edit2", VK_TAB, false, "Button3"},
      {"Button3", VK_TAB, false, "Button4"},
      {"Button4", VK_TAB, false, "Edit1"},
      {"Edit1", VK_TAB, true, "Button4"},
      {"Button4", VK_TAB, true, "Button3"},
      {"Button3", VK_TAB, true, "Edit2"},
      {"Edit2", VK_TAB, true, "Button2"},
      {"Button2", VK_TAB, true, "Button1"},
      {"Button1", VK_TAB, true, "Edit1"},
      // The memo, reached by the mouse or an arrow, gives Tab up too.
      {"Memo1", VK_TAB, false, "Button4"},
      {"Memo1", VK_TAB, true, "Button3"},
  };
  for (const MoveCase& c : cases) {
    SCOPED_TRACE(std::string(c.from) + (c.shift ? " Shift+Tab" : " Tab"));
    FocusOn(Form(), c.from);
    HeldKeys held(c.shift, false);
    PressKey(c.key);
    EXPECT_EQ(FocusedName(), c.to);
  }
}

TEST_F(MainWindowKeys, ArrowsOnButtonsMoveInTabOrderIncludingTheMemo) {
  const MoveCase cases[] = {
      {"Button3", VK_RIGHT, false, "Memo1"},
      {"Button3", VK_DOWN, false, "Memo1"},
      {"Button4", VK_UP, false, "Memo1"},
      {"Button4", VK_LEFT, false, "Memo1"},
      {"Button4", VK_RIGHT, false, "Edit1"},
      {"Button1", VK_LEFT, false, "Edit1"},
      {"Button1", VK_DOWN, false, "Button2"},
      {"Button2", VK_UP, false, "Button1"},
      // Fields and the memo keep the arrows for their caret.
      {"Edit1", VK_RIGHT, false, "Edit1"},
      {"Edit2", VK_DOWN, false, "Edit2"},
      {"Memo1", VK_DOWN, false, "Memo1"},
      {"Memo1", VK_LEFT, false, "Memo1"},
  };
  for (const MoveCase& c : cases) {
    SCOPED_TRACE(std::string(c.from) + " key " + std::to_string(c.key));
    FocusOn(Form(), c.from);
    PressKey(c.key);
    EXPECT_EQ(FocusedName(), c.to);
  }
}

struct ClickCase {
  const char* focus;
  UINT key;  // a virtual key, or 0 for `letter` typed
  char letter;
  bool alt;
  bool shift;
  std::vector<std::string> clicks;
  std::string fieldText;  // what Edit1 holds afterwards
};

TEST_F(MainWindowKeys, EnterSpaceAndTheAcceleratorClickButtonsEscapeNothing) {
  RecordClicks(true);
  const ClickCase cases[] = {
      {"Button1", VK_RETURN, 0, false, false, {"Button1"}, ""},
      {"Button2", VK_RETURN, 0, false, false, {"Button2"}, ""},
      {"Button4", VK_RETURN, 0, false, false, {"Button4"}, ""},
      {"Button3", VK_RETURN, 0, false, true, {}, ""},  // Shift+Enter
      {"Edit1", VK_RETURN, 0, false, false, {}, ""},   // no default button
      {"Edit2", VK_RETURN, 0, false, false, {}, ""},
      {"Memo1", VK_RETURN, 0, false, false, {}, ""},
      {"Button3", VK_SPACE, 0, false, false, {"Button3"}, ""},
      {"Button2", VK_ESCAPE, 0, false, false, {}, ""},  // no cancel button
      {"Edit1", VK_ESCAPE, 0, false, false, {}, ""},
      {"Memo1", VK_ESCAPE, 0, false, false, {}, ""},
      {"Edit1", 'X', 0, true, false, {"Button4"}, ""},  // Alt+X anywhere
      {"Memo1", 'X', 0, true, false, {"Button4"}, ""},
      {"Button1", 'X', 0, true, false, {"Button4"}, ""},
      {"Button2", 0, 'X', false, false, {"Button4"}, ""},  // X on a button
      {"Button2", 0, 'x', false, false, {"Button4"}, ""},
      {"Button1", 0, 'q', false, false, {}, ""},
      {"Edit1", 0, 'x', false, false, {}, "x"},  // typed into the field
      {"Edit1", 0, 'X', false, false, {}, "X"},
  };
  for (const ClickCase& c : cases) {
    SCOPED_TRACE(std::string(c.focus) + " key " + std::to_string(c.key) + " letter " +
                 std::string(1, c.letter ? c.letter : ' ') + (c.alt ? " alt" : ""));
    Form().Edit1->SetText("");
    clicks.clear();
    FocusOn(Form(), c.focus);
    if (c.key != 0) {
      HeldKeys held(c.shift, false);
      PressKey(c.key, c.alt);
    } else {
      TypeKey(c.letter);
    }
    EXPECT_EQ(clicks, c.clicks);
    EXPECT_EQ(Form().Edit1->Text(), c.fieldText);
    EXPECT_TRUE(IsWindowVisible(Form().Handle()));
    EXPECT_FALSE(app::Application->Terminated());
  }
}

TEST_F(MainWindowKeys, AltXAndXOnAButtonEndTheProgram) {
  struct EndCase {
    const char* focus;
    bool alt;
  };
  const EndCase cases[] = {{"Edit2", true}, {"Button2", false}};
  for (const EndCase& c : cases) {
    SCOPED_TRACE(c.focus);
    app::Application->ResetTerminated();
    FocusOn(Form(), c.focus);
    if (c.alt) {
      PressKey('X', true);
    } else {
      TypeKey('x');
    }
    EXPECT_TRUE(app::Application->Terminated());
    // Closing the main window ends the loop without hiding the window.
    EXPECT_TRUE(IsWindowVisible(Form().Handle()));
  }
}

}  // namespace
}  // namespace toridasu::test
