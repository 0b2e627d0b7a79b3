// The box's window: its class, its parts, its procedure, the keys it answers
// and its modal loop.
#include "ui/message_box_form.h"

#include "base/errors.h"
#include "base/string_ids.h"
#include "base/string_table.h"
#include "text/ascii_case.h"
#include "ui/form.h"
#include "ui/shell.h"

namespace toridasu::ui {
namespace {

constexpr char kClassName[] = "TMessageForm";
// Dialog frame: fixed size, caption with the close button only.
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPSIBLINGS;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
constexpr int kImageId = 98;
constexpr int kMessageId = 99;
constexpr int kFirstButtonId = 100;  // plus the button's place in the table

[[noreturn]] void RaiseOutOfResources() {
  throw EOutOfResources(LoadResString(text_id::kWindowClass));
}

void RegisterFormClass(HINSTANCE instance, WNDPROC procedure) {
  WNDCLASSA existing;
  if (GetClassInfoA(instance, kClassName, &existing)) return;
  WNDCLASSA windowClass = {};
  windowClass.style = CS_DBLCLKS | CS_SAVEBITS | CS_BYTEALIGNWINDOW;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kClassName;
  if (RegisterClassA(&windowClass) == 0) RaiseOutOfResources();
}

HWND CreateChild(HWND parent, const char* className, const char* text, DWORD style,
                 const LayoutRect& place, int id, HFONT font) {
  HWND child = CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, place.left,
                               place.top, place.width, place.height, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                               CurrentShell().Instance(), nullptr);
  if (child == nullptr) RaiseOutOfResources();
  SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return child;
}

bool KeyHeld(int key) { return GetKeyState(key) < 0; }

// The byte after the first ampersand that does not stand for itself ("&&");
// 0 when the caption has no accelerator.
char AcceleratorOf(const std::string& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(caption[i]);
    if (IsDBCSLeadByte(c)) {
      ++i;
    } else if (c == '&') {
      if (caption[i + 1] != '&') return caption[i + 1];
      ++i;
    }
  }
  return 0;
}

}  // namespace

TMessageForm::~TMessageForm() {
  if (handle_ != nullptr) DestroyWindow(handle_);
  if (font_ != nullptr) DeleteObject(font_);
}

HWND TMessageForm::Button(int button) const {
  return button >= 0 && button < kButtonCount ? buttons_[button] : nullptr;
}

void TMessageForm::Create(HWND owner, const std::string& title) {
  HINSTANCE instance = CurrentShell().Instance();
  RegisterFormClass(instance, &WindowProc);
  // The procedure stores the window in handle_ as soon as it exists.
  if (CreateWindowExA(kExStyle, kClassName, title.c_str(), kStyle, 0, 0, 0, 0, owner, nullptr,
                      instance, this) == nullptr) {
    RaiseOutOfResources();
  }
  TrimDialogSystemMenu(handle_);  // a fixed-size box offers Move and Close only
}

void TMessageForm::SetClientSize(int width, int height) {
  RECT outer = {0, 0, width, height};
  AdjustWindowRectEx(&outer, kStyle, FALSE, kExStyle);
  SetWindowPos(handle_, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  // Trust the frame the window really has over the computed one.
  RECT client;
  GetClientRect(handle_, &client);
  if (client.right != width || client.bottom != height) {
    GetWindowRect(handle_, &outer);
    SetWindowPos(handle_, nullptr, 0, 0, outer.right - outer.left + width - client.right,
                 outer.bottom - outer.top + height - client.bottom,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void TMessageForm::SetPosition(int left, int top) {
  SetWindowPos(handle_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TMessageForm::MoveTo(int left, int top) {
  RECT outer;
  GetWindowRect(handle_, &outer);
  SetPosition(left >= 0 ? left : outer.left, top >= 0 ? top : outer.top);
}

void TMessageForm::AddIcon(int iconId, const LayoutRect& place) {
  HWND image = CreateChild(handle_, "STATIC", "", SS_ICON, place, kImageId, font_);
  HICON icon = LoadIconA(nullptr, MAKEINTRESOURCEA(iconId));
  SendMessageA(image, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
  // Setting the icon may size the control to the icon; the place is fixed.
  MoveWindow(image, place.left, place.top, place.width, place.height, FALSE);
}

void TMessageForm::AddText(const std::string& text, const LayoutRect& place) {
  // SS_LEFT draws with word wrap, tab expansion and ampersand prefixes, as the
  // text block was measured.
  CreateChild(handle_, "STATIC", text.c_str(), SS_LEFT, place, kMessageId, font_);
}

void TMessageForm::AddButton(int button, const std::string& caption, const LayoutRect& place) {
  const DWORD look = button == defaultButton_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
  buttons_[button] = CreateChild(handle_, "BUTTON", caption.c_str(), WS_TABSTOP | BS_NOTIFY | look,
                                 place, kFirstButtonId + button, font_);
  captions_[button] = caption;
  order_.push_back(button);
}

LRESULT CALLBACK TMessageForm::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* created = reinterpret_cast<CREATESTRUCTA*>(lParam);
    auto* form = static_cast<TMessageForm*>(created->lpCreateParams);
    form->handle_ = window;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
  }
  auto* form = reinterpret_cast<TMessageForm*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (form == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    form->handle_ = nullptr;
    return DefWindowProcA(window, message, wParam, lParam);
  }
  try {
    return form->HandleMessage(message, wParam, lParam);
  } catch (...) {
    CurrentShell().ReportHandlerError(form);
    return 0;
  }
}

LRESULT TMessageForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND: {
      const int button = LOWORD(wParam) - kFirstButtonId;
      if (button < 0 || button >= kButtonCount || buttons_[button] == nullptr ||
          buttons_[button] != reinterpret_cast<HWND>(lParam)) {
        break;
      }
      if (HIWORD(wParam) == BN_CLICKED) {
        Click(button);
      } else if (HIWORD(wParam) == BN_SETFOCUS) {
        lastFocus_ = button;
        ShowAsDefault(button);
      }
      return 0;
    }
    case WM_SETFOCUS: {
      // Activation focuses the box itself; the focus belongs on a button.
      const int target = lastFocus_ != kNoButton ? lastFocus_
                         : order_.empty()        ? kNoButton
                                                 : order_.front();
      if (target != kNoButton) SetFocus(buttons_[target]);
      return 0;
    }
    case WM_GETFONT: return reinterpret_cast<LRESULT>(font_);
    case WM_CLOSE:  // close button, Alt+F4, Close in the system menu
      result_ = mrCancel;
      return 0;
    default: break;
  }
  return DefWindowProcA(handle_, message, wParam, lParam);
}

int TMessageForm::FocusedButton() const {
  HWND focus = GetFocus();
  for (int button : order_) {
    if (buttons_[button] == focus) return button;
  }
  return kNoButton;
}

void TMessageForm::MoveFocus(bool forward, bool tabStopsOnly) {
  const int count = static_cast<int>(order_.size());
  if (count == 0) return;
  int at = -1;
  const int focused = FocusedButton();
  for (int i = 0; i < count; ++i) {
    if (order_[i] == focused) at = i;
  }
  if (at < 0) at = forward ? count - 1 : 0;
  for (int step = 1; step <= count; ++step) {
    const int next = order_[((forward ? at + step : at - step) % count + count) % count];
    HWND window = buttons_[next];
    const bool tabStop = (GetWindowLongA(window, GWL_STYLE) & WS_TABSTOP) != 0;
    if (IsWindowEnabled(window) && IsWindowVisible(window) && (tabStop || !tabStopsOnly)) {
      SetFocus(window);
      return;
    }
  }
}

// The focused button looks like the default one, as Enter would click it.
void TMessageForm::ShowAsDefault(int button) {
  for (int b : order_) {
    SendMessageA(buttons_[b], BM_SETSTYLE, b == button ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
  }
}

bool TMessageForm::ClickAccelerator(char key) {
  for (int button : order_) {
    const char accelerator = AcceleratorOf(captions_[button]);
    if (accelerator != 0 && text::AsciiUpper(accelerator) == text::AsciiUpper(key) &&
        IsWindowEnabled(buttons_[button])) {
      Click(button);
      return true;
    }
  }
  return false;
}

void TMessageForm::Click(int button) {
  const ModalResult result = kButtonTable[button].result;
  if (result != mrNone) {
    result_ = result;
  } else if (button == bnHelp && !helpFile_.empty() && helpContext_ != 0) {
    WinHelpA(handle_, helpFile_.c_str(), HELP_CONTEXT, static_cast<ULONG_PTR>(helpContext_));
  }
}

bool TMessageForm::PreTranslateKey(const MSG& msg) {
  if (msg.hwnd != handle_ && !IsChild(handle_, msg.hwnd)) return false;
  switch (msg.message) {
    case WM_KEYDOWN: {
      const bool modified = KeyHeld(VK_SHIFT) || KeyHeld(VK_CONTROL) || KeyHeld(VK_MENU);
      switch (msg.wParam) {
        case VK_TAB:
          if (KeyHeld(VK_CONTROL) || KeyHeld(VK_MENU)) return false;
          MoveFocus(!KeyHeld(VK_SHIFT), true);
          return true;
        case VK_LEFT:
        case VK_UP: MoveFocus(false, false); return true;
        case VK_RIGHT:
        case VK_DOWN: MoveFocus(true, false); return true;
        case VK_RETURN: {
          const int focused = FocusedButton();
          const int target = focused != kNoButton ? focused : defaultButton_;
          if (modified || target == kNoButton) return false;
          Click(target);
          return true;
        }
        case VK_ESCAPE:
          if (modified || cancelButton_ == kNoButton) return false;
          Click(cancelButton_);
          return true;
        default: return false;
      }
    }
    case WM_CHAR:  // a focused button takes no typed characters
      return FocusedButton() != kNoButton && ClickAccelerator(static_cast<char>(msg.wParam));
    case WM_SYSCHAR:  // Alt+letter
      return ClickAccelerator(static_cast<char>(msg.wParam));
    default: return false;
  }
}

int TMessageForm::ShowModal() {
  Shell& shell = CurrentShell();
  if (HWND capture = GetCapture()) SendMessageA(capture, WM_CANCELMODE, 0, 0);
  ReleaseCapture();
  HWND previousActive = GetActiveWindow();
  std::vector<HWND> disabled = shell.DisableTaskWindows(handle_);
  HCURSOR previousCursor = SetCursor(LoadCursorA(nullptr, IDC_ARROW));

  // However the loop ends, the program gets its windows, activation and
  // cursor back.
  struct Restore {
    TMessageForm& form;
    Shell& shell;
    const std::vector<HWND>& disabled;
    HWND previousActive;
    HCURSOR previousCursor;
    ~Restore() {
      const bool stillActive = GetActiveWindow() == form.handle_;
      SetWindowPos(form.handle_, nullptr, 0, 0, 0, 0,
                   SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      shell.EnableTaskWindows(disabled);
      if (stillActive && previousActive != nullptr && IsWindow(previousActive)) {
        SetActiveWindow(previousActive);
      }
      SetCursor(previousCursor);
    }
  } restore{*this, shell, disabled, previousActive, previousCursor};

  if (centredOnShow_) PlaceCentred(previousActive);
  ShowWindow(handle_, SW_SHOW);
  SetActiveWindow(handle_);
  if (!order_.empty()) SetFocus(buttons_[order_.front()]);

  result_ = mrNone;
  while (result_ == mrNone) {
    MSG msg;
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      WaitMessage();
      continue;
    }
    if (msg.message == WM_QUIT) {
      // The program is ending: answer as the close button would, and leave
      // the quit request for the loop that runs the program.
      PostQuitMessage(static_cast<int>(msg.wParam));
      result_ = mrCancel;
      break;
    }
    if (PreTranslateKey(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return result_;
}

void TMessageForm::PlaceCentred(HWND activeWindow) {
  RECT outer;
  GetWindowRect(handle_, &outer);
  const int width = outer.right - outer.left;
  const int height = outer.bottom - outer.top;
  int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  if (left < 0) left = 0;
  if (top < 0) top = 0;
  RECT placed = {left, top, left + width, top + height};
  // A box opens on the monitor of the window the user was working in.
  if (activeWindow != nullptr) {
    HMONITOR target = MonitorFromWindow(activeWindow, MONITOR_DEFAULTTONEAREST);
    if (target != MonitorFromRect(&placed, MONITOR_DEFAULTTONEAREST)) {
      MONITORINFO info = {};
      info.cbSize = sizeof(info);
      if (GetMonitorInfoA(target, &info)) {
        const RECT& m = info.rcMonitor;
        left = m.left + ((m.right - m.left) - width) / 2;
        top = m.top + ((m.bottom - m.top) - height) / 2;
      }
    }
  }
  SetWindowPos(handle_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace toridasu::ui
