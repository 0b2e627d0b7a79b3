// The application object: ApplicationWindow, its messages and the event
// loop.
#include "app/application.h"

#include <algorithm>

#include "app/application_title.h"
#include "app/error_box.h"
#include "app/shutdown.h"
#include "app/startup.h"
#include "base/errors.h"
#include "base/string_ids.h"
#include "base/string_table.h"
#include "ui/control.h"

namespace toridasu::app {
namespace {

// The platform's minimize and restore animation, switched off for one call.
void ShowWithoutAnimation(HWND window, int command) {
  ANIMATIONINFO animation{sizeof animation, 0};
  SystemParametersInfoA(SPI_GETANIMATION, sizeof animation, &animation, 0);
  const int wasOn = animation.iMinAnimate;
  if (wasOn) {
    animation.iMinAnimate = 0;
    SystemParametersInfoA(SPI_SETANIMATION, sizeof animation, &animation, 0);
  }
  ShowWindow(window, command);
  if (wasOn) {
    animation.iMinAnimate = wasOn;
    SystemParametersInfoA(SPI_SETANIMATION, sizeof animation, &animation, 0);
  }
}

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

// Hides the program's windows and destroys the main window with its
// controls (and anything else the application owns).
void ReleaseWindows() {
  if (Application == nullptr) return;
  ShowOwnedPopups(Application->Handle(), FALSE);
  Application->DestroyComponents();
}

}  // namespace

TApplication* Application = nullptr;

TApplication::TApplication() : ui::TComponent(nullptr) {
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  const std::string title = ApplicationTitle();
  icon_ = LoadIconA(instance, "MAINICON");
  if (icon_ == nullptr) icon_ = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));

  WNDCLASSA windowClass{};
  if (!GetClassInfoA(instance, kApplicationWindowClass, &windowClass)) {
    windowClass = WNDCLASSA{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kApplicationWindowClass;
    if (RegisterClassA(&windowClass) == 0) {
      throw EOutOfResources(LoadResString(text_id::kWindowClass));
    }
  }
  // Of zero size, it is never seen as a window; it is the taskbar button.
  handle_ = CreateWindowExA(0, kApplicationWindowClass, title.c_str(), kApplicationWindowStyle,
                            GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0,
                            0, nullptr, nullptr, instance, nullptr);
  if (handle_ == nullptr) throw EOutOfResources(LoadResString(text_id::kWindowClass));
  SetWindowLongPtrA(handle_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrA(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowProc));

  SendMessageA(handle_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
  SetClassLongPtrA(handle_, GCLP_HICON, reinterpret_cast<LONG_PTR>(icon_));
  // The taskbar button's menu: Restore, Minimize and Close.
  if (HMENU menu = GetSystemMenu(handle_, FALSE)) {
    DeleteMenu(menu, SC_MAXIMIZE, MF_BYCOMMAND);
    DeleteMenu(menu, SC_SIZE, MF_BYCOMMAND);
    DeleteMenu(menu, SC_MOVE, MF_BYCOMMAND);
  }
}

TApplication::~TApplication() {
  DestroyComponents();
  mainForm_ = nullptr;
  if (handle_ != nullptr) {
    SetWindowLongPtrA(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DefWindowProcA));
    DestroyWindow(handle_);
    handle_ = nullptr;
  }
  if (Application == this) Application = nullptr;
}

std::string TApplication::Title() const {
  char title[256] = {};
  const int length = GetWindowTextA(handle_, title, sizeof title);
  return std::string(title, length > 0 ? static_cast<std::size_t>(length) : 0);
}

// A window made later never becomes the main window.
void TApplication::AdoptMainWindow(ui::TForm* form) {
  if (mainForm_ != nullptr || form == nullptr) return;
  form->HandleNeeded();
  mainForm_ = form;
}

void TApplication::FormDestroyed(ui::TForm* form) {
  if (form == mainForm_) mainForm_ = nullptr;
}

// ApplicationWindow is shown while any form is visible, hidden otherwise.
void TApplication::UpdateVisible() {
  if (handle_ == nullptr) return;
  const auto& forms = ui::Forms();
  const bool anyVisible = std::any_of(forms.begin(), forms.end(),
                                      [](const ui::TForm* form) { return form->Visible(); });
  if (anyVisible == (IsWindowVisible(handle_) != FALSE)) return;
  SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE |
                   (anyVisible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

void TApplication::RequestQuit() {
  // No terminate checks are registered in this program.
  PostQuitMessage(0);
}

// The platform then hides the windows that ApplicationWindow owns.
void TApplication::Minimize() {
  if (IsIconic(handle_)) return;
  SetActiveWindow(handle_);
  ShowWithoutAnimation(handle_, SW_MINIMIZE);
}

void TApplication::Restore() {
  if (!IsIconic(handle_)) return;
  SetActiveWindow(handle_);
  ShowWithoutAnimation(handle_, SW_RESTORE);
  // Started minimized (show command 7): the main window was never shown.
  if (mainForm_ != nullptr && mainForm_->WindowState() == ui::wsMinimized &&
      !mainForm_->Visible()) {
    mainForm_->SetWindowState(ui::wsNormal);
    mainForm_->Show();
  }
  if (mainForm_ != nullptr && mainForm_->Visible()) {
    if (ui::TWinControl* focused = mainForm_->ActiveControl();
        focused != nullptr && focused->HandleAllocated()) {
      ::SetFocus(focused->Handle());
    }
  }
}

void TApplication::AddWindowHook(ui::Shell::WindowHook hook, void* context) {
  hooks_.insert(hooks_.begin(), {hook, context});
}

void TApplication::RemoveWindowHook(ui::Shell::WindowHook hook, void* context) {
  auto found = std::find(hooks_.begin(), hooks_.end(), std::make_pair(hook, context));
  if (found != hooks_.end()) hooks_.erase(found);
}

// --- ApplicationWindow's messages: the taskbar button's commands, the end
// of the session, settings changes, activation, focus and enabling.

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
  // A colour request goes back to the window it is for.
  if (ui::IsColourRequest(message)) {
    return SendMessageA(reinterpret_cast<HWND>(lParam), message + ui::kCnBase, wParam, lParam);
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
    default: break;
  }
  return DefWindowProcA(handle_, message, wParam, lParam);
}

// --- The event loop: every user action reaches the program as a message
// that is taken off the queue here and routed to its window.

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
