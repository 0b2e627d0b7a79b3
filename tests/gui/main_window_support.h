// What the main window's tests share: the window made as start-up makes
// it, messages pumped through the program's own dispatch, keys posted as
// the keyboard would send them, and clicks recorded instead of acted on.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "ui/main_form.h"

namespace toridasu::test {

// Routes every waiting message through Application->DispatchNextMessage.
void Pump();

// Posts a key press and release to the window with the focus (or to
// `window`), with Alt held when `alt`; Shift and Ctrl come from HeldKeys.
void PressKey(UINT key, bool alt = false, HWND window = nullptr);
// Posts the character as typed (WM_KEYDOWN of its key; the dispatch
// translates it).
void TypeKey(char letter);

// Holds Shift and/or Ctrl in the thread's keyboard state while it lives.
class HeldKeys {
 public:
  HeldKeys(bool shift, bool control);
  ~HeldKeys();
  HeldKeys(const HeldKeys&) = delete;
  HeldKeys& operator=(const HeldKeys&) = delete;

 private:
  BYTE saved_[256];
};

// The name of the control with the focus ("Edit1", "Form1", "other").
std::string FocusedName();

// Form1 made by CreateMainWindow and shown as RunEventLoop shows it; it is
// destroyed again after each test.
class MainWindowTest : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  ui::TForm1& Form() { return *ui::Form1; }
  // The buttons report their clicks here instead of running their actions;
  // Button4 keeps its own (it ends the event loop).
  void RecordClicks(bool includingButton4);
  std::vector<std::string> clicks;
};

}  // namespace toridasu::test
