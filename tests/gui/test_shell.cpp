#include "test_shell.h"

namespace toridasu::test {

HWND MakeTestWindow(DWORD style, HWND owner, int x, int y, int width, int height) {
  static constexpr char kWindowClass[] = "ToridasuTestWindow";
  static const ATOM atom = [] {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kWindowClass;
    return RegisterClassA(&windowClass);
  }();
  (void)atom;
  return CreateWindowExA(0, kWindowClass, "", style, x, y, width, height, owner, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

void PumpWaiting() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

TestShell::~TestShell() {
  if (mainForm != nullptr) DestroyWindow(mainForm);
  if (owner != nullptr) DestroyWindow(owner);
}

}  // namespace toridasu::test
