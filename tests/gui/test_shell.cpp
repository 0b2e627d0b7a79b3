#include "test_shell.h"

#include <cstdint>

namespace toridasu::test {

HWND MakeTestWindow(DWORD style, HWND owner, int x, int y, int width, int height,
                    WNDPROC procedure) {
  // One class per procedure; registering it again fails and changes nothing.
  const std::string className =
      "ToridasuTestWindow" + std::to_string(reinterpret_cast<uintptr_t>(procedure));
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.lpszClassName = className.c_str();
  RegisterClassA(&windowClass);
  return CreateWindowExA(0, className.c_str(), "", style, x, y, width, height, owner, nullptr,
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
