#include "ui/form.h"

#include <algorithm>

#include "base/errors.h"
#include "base/string_ids.h"
#include "base/string_table.h"
#include "ui/layout.h"
#include "ui/shell.h"

namespace toridasu::ui {
namespace {

FormHost* formHost = nullptr;
std::vector<TForm*> allForms;

}  // namespace

FormHost* CurrentFormHost() { return formHost; }
void SetFormHost(FormHost* host) { formHost = host; }
const std::vector<TForm*>& Forms() { return allForms; }

TForm::TForm(TComponent* owner) : TWinControl(owner) {
  visible_ = false;
  SetColor(clBtnFace);
  allForms.push_back(this);
}

TForm::~TForm() {
  if (formHost != nullptr) formHost->FormDestroyed(this);
  std::erase(allForms, this);
  const bool wasVisible = visible_;
  visible_ = false;
  activeControl_ = focusedControl_ = nullptr;
  DestroyHandle();
  DestroyComponents();
  if (wasVisible && formHost != nullptr) formHost->UpdateVisible();
}

bool TForm::IsMainForm() const { return formHost != nullptr && formHost->MainForm() == this; }

void TForm::SetClientSize(int width, int height) {
  clientWidth_ = width;
  clientHeight_ = height;
}

void TForm::SetWindowState(TWindowState state) {
  windowState_ = state;
  if (!HandleAllocated() || !visible_) return;
  ShowWindow(Handle(), state == wsMaximized   ? SW_SHOWMAXIMIZED
                       : state == wsMinimized ? SW_SHOWMINIMIZED
                                              : SW_SHOWNORMAL);
}

void TForm::RegisterWindowClass(UINT classStyle) const {
  WNDCLASSA existing{};
  if (GetClassInfoA(GetModuleHandleA(nullptr), className_.c_str(), &existing)) return;
  WNDCLASSA windowClass{};
  windowClass.style = classStyle;
  windowClass.lpfnWndProc = &RoutedProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  windowClass.lpszClassName = className_.c_str();
  RegisterClassA(&windowClass);  // a failure shows when the window is made
}

void TForm::CreateWnd() {
  DWORD style = WS_POPUP;
  DWORD exStyle = 0;
  UINT classStyle = CS_DBLCLKS;
  unsigned icons = borderIcons_;
  switch (borderStyle_) {
    case bsNone: icons = 0; break;
    case bsSingle: style |= WS_CAPTION; break;
    case bsSizeable: style |= WS_CAPTION | WS_THICKFRAME; break;
    case bsDialog:
      // A dialog frame keeps only the system menu and help buttons.
      style |= WS_CAPTION;
      exStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
      classStyle |= CS_SAVEBITS | CS_BYTEALIGNWINDOW;
      icons &= BorderIconBit(biSystemMenu) | BorderIconBit(biHelp);
      break;
  }
  if (icons & BorderIconBit(biSystemMenu)) style |= WS_SYSMENU;
  if (icons & BorderIconBit(biMinimize)) style |= WS_MINIMIZEBOX;
  if (icons & BorderIconBit(biMaximize)) style |= WS_MAXIMIZEBOX;
  if ((icons & BorderIconBit(biHelp)) && !(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX))) {
    exStyle |= WS_EX_CONTEXTHELP;
  }

  // The layout gives the client area; the frame is added to it.
  RECT outer{0, 0, clientWidth_, clientHeight_};
  AdjustWindowRectEx(&outer, style, FALSE, exStyle);
  width_ = outer.right - outer.left;
  height_ = outer.bottom - outer.top;
  if (position_ == poScreenCenter) {
    left_ = (GetSystemMetrics(SM_CXSCREEN) - width_) / 2;
    top_ = (GetSystemMetrics(SM_CYSCREEN) - height_) / 2;
  }
  windowState_ = borderStyle_ == bsDialog ? wsNormal : windowState_;

  RegisterWindowClass(classStyle);
  CreateOwnClassWindow(exStyle, className_.c_str(), style, CurrentShell().ApplicationWindow());
  if (borderStyle_ == bsDialog) {
    SendMessageA(Handle(), WM_SETICON, ICON_BIG, 0);
    TrimDialogSystemMenu(Handle());
  }
  CreateChildren();
}

// Of the platform's standard system menu this leaves Move and Close.
void TrimDialogSystemMenu(HWND window) {
  HMENU menu = GetSystemMenu(window, FALSE);
  if (menu == nullptr) return;
  DeleteMenu(menu, SC_TASKLIST, MF_BYCOMMAND);
  DeleteMenu(menu, 7, MF_BYPOSITION);
  DeleteMenu(menu, 5, MF_BYPOSITION);
  for (UINT command : {SC_MAXIMIZE, SC_MINIMIZE, SC_SIZE, SC_RESTORE}) {
    DeleteMenu(menu, command, MF_BYCOMMAND);
  }
}

void TForm::Show() {
  HandleNeeded();
  if (onShow_) {
    // A show handler is a message handler like any other: its error is
    // reported, and the window is shown all the same.
    try {
      onShow_();
    } catch (...) {
      CurrentShell().ReportHandlerError(this);
    }
  }
  visible_ = true;
  ShowWindow(Handle(), windowState_ == wsMaximized   ? SW_SHOWMAXIMIZED
                       : windowState_ == wsMinimized ? SW_SHOWMINIMIZED
                                                     : SW_SHOWNORMAL);
  if (formHost != nullptr) formHost->UpdateVisible();
}

void TForm::Hide() {
  visible_ = false;
  if (HandleAllocated()) ShowWindow(Handle(), SW_HIDE);
  if (formHost != nullptr) formHost->UpdateVisible();
}

// No close handler is set, so the close action stays "hide"; for the main
// form that means ending the program, without hiding it first.
void TForm::Close() {
  if (!CloseQuery()) return;
  if (IsMainForm()) {
    formHost->RequestQuit();
  } else {
    Hide();
  }
}

void TForm::FocusControl(TWinControl* control) {
  activeControl_ = control;
  if (control->HandleAllocated() && HandleAllocated() && GetActiveWindow() == Handle()) {
    ::SetFocus(control->Handle());
  }
}

void TForm::FocusChanged(TWinControl* control) {
  activeControl_ = control;
  if (focusedControl_ == control) return;
  focusedControl_ = control;
  for (TWinControl* child : Controls()) child->FocusMoved(control);
  control->DoEnter();
}

std::vector<TWinControl*> TForm::TabOrderList() const {
  std::vector<TWinControl*> list;
  for (TWinControl* child : Controls()) {
    if (child->TakesFocus()) list.push_back(child);
  }
  std::stable_sort(list.begin(), list.end(), [](const TWinControl* a, const TWinControl* b) {
    return a->TabOrder() < b->TabOrder();
  });
  return list;
}

void TForm::SelectNext(TWinControl* current, bool forward, bool checkTabStop) {
  const std::vector<TWinControl*> list = TabOrderList();
  const int count = static_cast<int>(list.size());
  if (count == 0) return;
  auto found = std::find(list.begin(), list.end(), current);
  int index =
      found != list.end() ? static_cast<int>(found - list.begin()) : (forward ? count - 1 : 0);
  const int start = index;
  do {
    index = forward ? (index + 1) % count : (index + count - 1) % count;
    TWinControl* candidate = list[static_cast<std::size_t>(index)];
    if (candidate->CanFocus() && (!checkTabStop || candidate->TabStop())) {
      candidate->SetFocus();
      return;
    }
  } while (index != start);
}

bool TForm::DialogKey(WPARAM key, LPARAM keyData) {
  if (GetKeyState(VK_MENU) >= 0) {
    switch (key) {
      case VK_TAB:
        if (GetKeyState(VK_CONTROL) < 0) break;
        SelectNext(activeControl_, GetKeyState(VK_SHIFT) >= 0, true);
        return true;
      case VK_LEFT:
      case VK_RIGHT:
      case VK_UP:
      case VK_DOWN:
        SelectNext(activeControl_, key == VK_RIGHT || key == VK_DOWN, false);
        return true;
      default: break;
    }
  }
  for (TWinControl* child : Controls()) {
    if (child->DialogKeyOffered(key, keyData)) return true;
  }
  return false;
}

bool TForm::DialogChar(char character) {
  for (TWinControl* child : Controls()) {
    if (child->DialogCharOffered(character)) return true;
  }
  return false;
}

void TForm::RestoreFocus() {
  if (activeControl_ != nullptr && activeControl_->CanFocus() &&
      activeControl_->HandleAllocated()) {
    ::SetFocus(activeControl_->Handle());
    return;
  }
  SelectNext(nullptr, true, true);
  if (GetFocus() != Handle() && !IsChild(Handle(), GetFocus())) ::SetFocus(Handle());
}

LRESULT TForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  // A child's notification or colour request goes back to the child.
  if (message == WM_COMMAND || IsColourRequest(message)) {
    if (TWinControl* child = FindControl(reinterpret_cast<HWND>(lParam));
        child != nullptr && child != this) {
      return child->Perform(message + kCnBase, wParam, lParam);
    }
  }
  switch (message) {
    case WM_CLOSE: Close(); return 0;
    case WM_QUERYENDSESSION: return CloseQuery() ? TRUE : FALSE;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && HIWORD(wParam) == 0) {
        RestoreFocus();
        return 0;
      }
      break;
    case WM_SETFOCUS:
      if (activeControl_ != nullptr && activeControl_->HandleAllocated() &&
          activeControl_->CanFocus()) {
        ::SetFocus(activeControl_->Handle());
        return 0;
      }
      break;
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(Handle(), &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client, Color().Brush());
      return 1;
    }
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_MINIMIZE && IsMainForm()) {
        formHost->MinimizeApplication();
        return 0;
      }
      break;
    case WM_SIZE:
      if (visible_) {
        windowState_ = wParam == SIZE_MINIMIZED   ? wsMinimized
                       : wParam == SIZE_MAXIMIZED ? wsMaximized
                                                  : wsNormal;
      }
      break;
    default: break;
  }
  return TWinControl::WndProc(message, wParam, lParam);
}

TForm::EventHandler TForm::FindHandler(std::string_view name) { MissingComponent(name); }

void TForm::ReadComponent(const LayoutComponent& component) { component.Fail(component.line); }

void TForm::MissingComponent(std::string_view name) const {
  std::string text = LoadResString(text_id::kResNotFound);
  if (auto at = text.find("%s"); at != std::string::npos) text.replace(at, 2, name);
  throw EResNotFound(text);
}

}  // namespace toridasu::ui
