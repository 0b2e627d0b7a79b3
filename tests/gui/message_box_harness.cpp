#include "message_box_harness.h"

#include <cstddef>
#include <utility>

#include "app/app_shell.h"

namespace toridasu::ui::box_test {
namespace {

// The steps of the box being shown, and where the next one is.
struct Run {
  std::vector<Step> steps;
  size_t next = 0;
  bool overran = false;
};
Run* run = nullptr;

void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD) {
  HWND box = FindWindowA("TMessageForm", nullptr);
  if (run == nullptr || box == nullptr || !IsWindowVisible(box)) return;
  if (run->next < run->steps.size()) {
    run->steps[run->next++](box);
  } else if (!run->overran) {
    run->overran = true;
    PostMessageA(box, WM_CLOSE, 0, 0);
  }
}

}  // namespace

BoxTestShell::BoxTestShell() {
  owner = test::MakeTestWindow(WS_POPUP, nullptr, 0, 0, 0, 0);
  mainForm = test::MakeTestWindow(WS_POPUP | WS_CAPTION | WS_SYSMENU, owner, 40, 30, 300, 200);
}

// The modal state as the program makes it.
std::vector<HWND> BoxTestShell::DisableTaskWindows(HWND keep) {
  return app::DisableTaskWindows(keep);
}

void BoxTestShell::EnableTaskWindows(const std::vector<HWND>& windows) {
  app::EnableTaskWindows(windows);
}

void MessageBoxTest::SetUp() {
  previousShell_ = &CurrentShell();
  SetShell(&shell_);
  ButtonWidthCache().fill(0);
  ShowWindow(shell_.MainFormWindow(), SW_SHOW);
  SetActiveWindow(shell_.MainFormWindow());
  test::PumpWaiting();
}

void MessageBoxTest::TearDown() {
  test::PumpWaiting();
  SetShell(previousShell_);
}

std::string WindowText(HWND window) {
  char buffer[1024] = {};
  const int length = GetWindowTextA(window, buffer, sizeof buffer);
  return std::string(buffer, length > 0 ? length : 0);
}

std::vector<Part> PartsOf(HWND box) {
  std::vector<Part> parts;
  for (HWND child = GetWindow(box, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    char className[64] = {};
    GetClassNameA(child, className, sizeof className);
    RECT place;
    GetWindowRect(child, &place);
    MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&place), 2);
    parts.push_back({child, className, WindowText(child), place, GetWindowLongA(child, GWL_STYLE)});
  }
  return parts;
}

std::vector<Part> ButtonsOf(HWND box) {
  std::vector<Part> buttons;
  for (const Part& part : PartsOf(box)) {
    if (lstrcmpiA(part.className.c_str(), "Button") == 0) buttons.push_back(part);
  }
  return buttons;
}

SIZE ClientSize(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  return {client.right, client.bottom};
}

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

BoxFont::BoxFont(HWND box) : dc_(GetDC(nullptr)) {
  HFONT font = reinterpret_cast<HFONT>(SendMessageA(box, WM_GETFONT, 0, 0));
  previous_ = SelectObject(dc_, font);
  SIZE letters;
  GetTextExtentPointA(dc_, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &letters);
  x_ = letters.cx / 52;
  y_ = letters.cy;
}

BoxFont::~BoxFont() {
  SelectObject(dc_, previous_);
  ReleaseDC(nullptr, dc_);
}

SIZE BoxFont::Block(const std::string& text) const {
  RECT r = {0, 0, GetSystemMetrics(SM_CXSCREEN) / 2, 0};
  DrawTextA(dc_, text.data(), static_cast<int>(text.size()), &r,
            DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS);
  return {r.right, r.bottom};
}

int BoxFont::Caption(const std::string& caption) const {
  RECT r = {0, 0, 0, 0};
  DrawTextA(dc_, caption.data(), static_cast<int>(caption.size()), &r, DT_CALCRECT | DT_SINGLELINE);
  return r.right;
}

int BoxFont::Extent(const std::string& text) const {
  SIZE size;
  GetTextExtentPointA(dc_, text.data(), static_cast<int>(text.size()), &size);
  return size.cx;
}

int BoxFont::LineHeight() const {
  TEXTMETRICA metrics;
  GetTextMetricsA(dc_, &metrics);
  return metrics.tmHeight;
}

int ShowWithSteps(const std::vector<Step>& steps, const std::string& text, MessageBoxKind kind,
                  MessageBoxButtons buttons, int x, int y) {
  Run thisRun{steps};
  run = &thisRun;
  const UINT_PTR timer = SetTimer(nullptr, 0, 10, &OnTick);
  const int result = ShowMessageBoxAt(text, kind, buttons, 0, x, y, std::string());
  KillTimer(nullptr, timer);
  run = nullptr;
  EXPECT_FALSE(thisRun.overran) << "the box was still open after the last step";
  EXPECT_EQ(FindWindowA("TMessageForm", nullptr), nullptr) << "the box outlived its call";
  return result;
}

void PostKey(HWND target, UINT key) {
  const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(key, 0)) << 16;
  PostMessageA(target, WM_KEYDOWN, key, scan | 1);
  PostMessageA(target, WM_KEYUP, key, scan | 1 | (1 << 30) | (1u << 31));
}

void PostAltChar(HWND target, char letter) {
  PostMessageA(target, WM_SYSCHAR, static_cast<unsigned char>(letter), (1 << 29) | 1);
}

void HoldShift(bool held) {
  BYTE state[256];
  GetKeyboardState(state);
  state[VK_SHIFT] = held ? 0x80 : 0;
  state[VK_LSHIFT] = held ? 0x80 : 0;
  SetKeyboardState(state);
}

}  // namespace toridasu::ui::box_test
