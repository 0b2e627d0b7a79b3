// The event loop: every user action reaches the program as a message that
// is taken off the queue here and routed to its window.
#include "app/application.h"
#include "app/error_reporting.h"
#include "app/shutdown.h"
#include "app/startup.h"
#include "ui/control.h"

namespace toridasu::app {
namespace {

// Hides the program's windows and destroys the main window with its
// controls (and anything else the application owns).
void ReleaseWindows() {
  if (Application == nullptr) return;
  ShowOwnedPopups(Application->Handle(), FALSE);
  Application->DestroyComponents();
}

}  // namespace

void TApplication::RunEventLoop() {
  running_ = true;
  struct Stopped {
    bool& running;
    ~Stopped() { running = false; }
  } stopped{running_};
  AddExitProcedure(&ReleaseWindows);
  if (mainForm_ == nullptr) return;
  ShowMainWindow();
  while (!terminate_) {
    if (!DispatchNextMessage()) IdleStep(lastMessage_);
  }
}

void TApplication::ShowMainWindow() {
  if (mainForm_ == nullptr) return;
  switch (StartUpShowCommand()) {
    case SW_SHOWMAXIMIZED: mainForm_->SetWindowState(ui::wsMaximized); break;
    case SW_SHOWMINNOACTIVE:  // only marked: the application is minimized below
      mainForm_->SetWindowState(ui::wsMinimized);
      break;
    default: break;
  }
  if (!showMainForm_) return;
  if (mainForm_->WindowState() == ui::wsMinimized) {
    Minimize();
  } else {
    mainForm_->Show();
  }
}

bool TApplication::DispatchNextMessage() {
  MSG message;
  if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) return false;
  lastMessage_ = message;
  if (message.message == WM_QUIT) {
    terminate_ = true;
    return true;
  }
  // No message filter, hint window, multiple-document frame or modeless
  // dialog exists in this program: of the checks before dispatching, only
  // the keyboard pre-dispatch applies.
  if (!KeyboardPreDispatch(message)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return true;
}

// The control sees its keys (message number plus kCnBase) before the
// platform does; a non-zero answer uses the key up.
bool TApplication::KeyboardPreDispatch(const MSG& message) {
  if (message.message < WM_KEYDOWN || message.message > WM_KEYDOWN + 8) return false;
  HWND target = GetCapture();
  if (target == nullptr) {
    target = message.hwnd;
  } else if (reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(target, GWLP_HINSTANCE)) !=
             GetModuleHandleA(nullptr)) {
    return false;
  }
  if (target == nullptr) return false;
  return SendMessageA(target, message.message + ui::kCnBase, message.wParam, message.lParam) != 0;
}

void TApplication::IdleStep(const MSG&) {
  try {
    TrackControlUnderMouse();
  } catch (...) {
    ReportHandlerError(this);
  }
  // No control of this program has a hint and no actions exist, so nothing
  // else is due before the wait.
  WaitMessage();
}

// Tells a control when the mouse pointer enters or leaves it.
void TApplication::TrackControlUnderMouse() {
  POINT cursor{};
  HWND under = nullptr;
  if (GetCursorPos(&cursor)) under = WindowFromPoint(cursor);
  if (ui::FindControl(under) == nullptr) under = nullptr;
  if (under == controlUnderMouse_) return;
  HWND left = controlUnderMouse_;
  controlUnderMouse_ = under;
  if (ui::TWinControl* control = ui::FindControl(left)) control->Perform(ui::kCmMouseLeave);
  if (ui::TWinControl* control = ui::FindControl(under)) control->Perform(ui::kCmMouseEnter);
}

}  // namespace toridasu::app
