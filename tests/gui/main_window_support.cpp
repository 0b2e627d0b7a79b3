#include "main_window_support.h"

#include "app/app_shell.h"
#include "app/application.h"

namespace toridasu::test {

void Pump() {
  // Posted messages, then those the platform makes of them (WM_CHAR), then
  // the quit message, which the platform hands out last.
  for (int round = 0; round < 3; ++round) {
    while (app::Application->DispatchNextMessage()) {
    }
  }
}

namespace {

LPARAM KeyData(UINT key, bool alt, bool release) {
  const UINT scan = MapVirtualKeyA(key, 0 /* MAPVK_VK_TO_VSC */);
  LPARAM data = 1 | (static_cast<LPARAM>(scan) << 16);
  if (alt) data |= 0x20000000;
  if (release) data |= static_cast<LPARAM>(0xC0000000);
  return data;
}

}  // namespace

void PressKey(UINT key, bool alt, HWND window) {
  if (window == nullptr) window = GetFocus();
  const UINT down = alt ? WM_SYSKEYDOWN : WM_KEYDOWN;
  const UINT up = alt ? WM_SYSKEYUP : WM_KEYUP;
  BYTE state[256];
  GetKeyboardState(state);
  const BYTE savedMenu = state[VK_MENU];
  if (alt) {
    state[VK_MENU] |= 0x80;
    SetKeyboardState(state);
  }
  PostMessageA(window, down, key, KeyData(key, alt, false));
  Pump();
  // The key went to whichever window then had the focus.
  PostMessageA(GetFocus() != nullptr ? GetFocus() : window, up, key, KeyData(key, alt, true));
  Pump();
  if (alt) {
    GetKeyboardState(state);
    state[VK_MENU] = savedMenu;
    SetKeyboardState(state);
  }
}

void TypeKey(char letter) {
  const SHORT scan = VkKeyScanA(letter);
  HeldKeys shift((scan & 0x100) != 0, false);
  PressKey(LOBYTE(scan));
}

HeldKeys::HeldKeys(bool shift, bool control) {
  GetKeyboardState(saved_);
  BYTE state[256];
  GetKeyboardState(state);
  if (shift) state[VK_SHIFT] = state[VK_LSHIFT] = 0x80;
  if (control) state[VK_CONTROL] = state[VK_LCONTROL] = 0x80;
  SetKeyboardState(state);
}

HeldKeys::~HeldKeys() { SetKeyboardState(saved_); }

std::string FocusedName() {
  HWND focus = GetFocus();
  if (ui::Form1 == nullptr || focus == nullptr) return "none";
  if (focus == ui::Form1->Handle()) return ui::Form1->Name();
  for (ui::TWinControl* control : ui::Form1->Controls()) {
    if (control->Handle() == focus) return control->Name();
  }
  return "other";
}

void MainWindowTest::SetUp() {
  // Other tests install shells of their own.
  app::InstallShell();
  app::Application->ResetTerminated();
  app::Application->CreateMainWindow(ui::Form1);
  ASSERT_NE(ui::Form1, nullptr);
  ASSERT_EQ(app::Application->MainForm(), ui::Form1);
  ui::Form1->Show();
  SetForegroundWindow(ui::Form1->Handle());
  Pump();
}

void MainWindowTest::TearDown() {
  delete ui::Form1;
  Pump();
  app::Application->ResetTerminated();
}

void MainWindowTest::RecordClicks(bool includingButton4) {
  ui::TButton* buttons[] = {Form().Button1, Form().Button2, Form().Button3, Form().Button4};
  for (ui::TButton* button : buttons) {
    if (button == Form().Button4 && !includingButton4) continue;
    button->SetOnClick([this, button] { clicks.push_back(button->Name()); });
  }
}

}  // namespace toridasu::test
