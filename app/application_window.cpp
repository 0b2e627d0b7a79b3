// The messages of ApplicationWindow: the taskbar button's commands, the end
// of the session, settings changes, activation, focus and enabling.
#include "app/application.h"
#include "app/error_reporting.h"
#include "app/shutdown.h"
#include "app/startup.h"

namespace toridasu::app {
namespace {

struct TopWindowSearch {
  HWND exclude;
  HWND found;
};

// The first visible, enabled window of the thread in stacking order.
BOOL CALLBACK FindTopWindow(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<TopWindowSearch*>(context);
  if (window == search->exclude || !IsWindowVisible(window) || !IsWindowEnabled(window)) {
    return TRUE;
  }
  search->found = window;
  return FALSE;
}

}  // namespace

LRESULT CALLBACK TApplication::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* application = reinterpret_cast<TApplication*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (application == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  try {
    return application->HandleMessage(message, wParam, lParam);
  } catch (...) {
    ReportHandlerError(application);
    return 0;
  }
}

void TApplication::FocusTopWindow() {
  TopWindowSearch search{handle_, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), &FindTopWindow, reinterpret_cast<LPARAM>(&search));
  if (search.found != nullptr) ::SetFocus(search.found);
}

LRESULT TApplication::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  // A hook may remove itself while it runs.
  const auto hooks = hooks_;
  for (const auto& [hook, context] : hooks) {
    LRESULT result = 0;
    if (hook(context, message, wParam, lParam, &result)) return result;
  }
  if (message == WM_WININICHANGE && updateFormatSettings_) {
    // The icon-title font and the hint window of the platform's metrics
    // are not used by this program.
    RefreshLocaleSettings(true);
  }
  switch (message) {
    case WM_CLOSE:
      if (mainForm_ != nullptr) mainForm_->Close();
      return 0;
    case WM_ENDSESSION:
      if (wParam != 0) EndProcess();
      return 0;
    case WM_SYSCOMMAND:
      switch (wParam & 0xFFF0) {
        case SC_MINIMIZE: Minimize(); return 0;
        case SC_RESTORE: Restore(); return 0;
        default: break;
      }
      break;
    case WM_ACTIVATEAPP: {
      const LRESULT result = DefWindowProcA(handle_, message, wParam, lParam);
      // No always-on-top windows and no activation handlers in this program.
      active_ = wParam != 0;
      return result;
    }
    case WM_SETFOCUS:
      DefWindowProcA(handle_, message, wParam, lParam);
      PostMessageA(handle_, ui::kCmApplicationFocus, 0, 0);
      return 0;
    case ui::kCmApplicationFocus:
      if (!IsIconic(handle_) && GetFocus() == handle_) FocusTopWindow();
      return 0;
    case WM_ENABLE:
      // A modal window of the platform (a message box, a file dialog)
      // disables its owner; the program's other windows follow.
      if (wParam == 0) {
        DefWindowProcA(handle_, message, wParam, lParam);
        std::vector<HWND> disabled = ui::CurrentShell().DisableTaskWindows(handle_);
        disabledWhileDisabled_.insert(disabledWhileDisabled_.end(), disabled.begin(),
                                      disabled.end());
      } else {
        std::vector<HWND> disabled;
        disabled.swap(disabledWhileDisabled_);
        ui::CurrentShell().EnableTaskWindows(disabled);
        DefWindowProcA(handle_, message, wParam, lParam);
      }
      return 0;
    case WM_PAINT:
      if (IsIconic(handle_)) {
        PAINTSTRUCT paint;
        HDC surface = BeginPaint(handle_, &paint);
        DrawIcon(surface, 0, 0, icon_);
        EndPaint(handle_, &paint);
        return 0;
      }
      break;
    case WM_ERASEBKGND: return DefWindowProcA(handle_, WM_ICONERASEBKGND, wParam, lParam);
    case WM_QUERYDRAGICON: return reinterpret_cast<LRESULT>(icon_);
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
      return SendMessageA(reinterpret_cast<HWND>(lParam), message + ui::kCnBase, wParam, lParam);
    default: break;
  }
  return DefWindowProcA(handle_, message, wParam, lParam);
}

}  // namespace toridasu::app
