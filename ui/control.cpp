#include "ui/control.h"

#include <algorithm>
#include <map>

#include "base/errors.h"
#include "base/string_ids.h"
#include "base/string_table.h"
#include "ui/form.h"
#include "ui/shell.h"

namespace toridasu::ui {
namespace {

// The window property that leads from a window to its object.
constexpr char kObjectProperty[] = "toridasu.control";

// The form whose window CreateWindowExA is making on this thread: a new
// window's first messages arrive before it can be tied to its object.
thread_local TWinControl* creating = nullptr;

}  // namespace

TComponent::TComponent(TComponent* owner) : owner_(owner) {
  if (owner_ != nullptr) owner_->components_.push_back(this);
}

TComponent::~TComponent() {
  DestroyComponents();
  if (owner_ != nullptr) {
    auto& siblings = owner_->components_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
  }
}

TComponent* TComponent::FindComponent(std::string_view name) const {
  for (TComponent* component : components_) {
    if (component->name_ == name) return component;
  }
  return nullptr;
}

void TComponent::DestroyComponents() {
  // Each destructor takes itself off the list.
  while (!components_.empty()) delete components_.back();
}

COLORREF TColor::ToRgb() const { return system_ >= 0 ? GetSysColor(system_) : rgb_; }

HBRUSH TColor::Brush() const {
  if (system_ >= 0) return GetSysColorBrush(system_);
  static std::map<COLORREF, HBRUSH> brushes;
  HBRUSH& brush = brushes[rgb_];
  if (brush == nullptr) brush = CreateSolidBrush(rgb_);
  return brush;
}

LOGFONTA TFont::ToLogFont() const {
  LOGFONTA font{};
  font.lfHeight = height;
  font.lfWeight = Has(fsBold) ? FW_BOLD : FW_NORMAL;
  font.lfItalic = Has(fsItalic);
  font.lfUnderline = Has(fsUnderline);
  font.lfStrikeOut = Has(fsStrikeOut);
  font.lfCharSet = charset;
  font.lfOutPrecision = OUT_DEFAULT_PRECIS;
  font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  font.lfQuality = DEFAULT_QUALITY;
  font.lfPitchAndFamily = DEFAULT_PITCH;
  name.copy(font.lfFaceName, sizeof font.lfFaceName - 1);
  return font;
}

TWinControl* FindControl(HWND window) {
  if (window == nullptr) return nullptr;
  // Another copy of the program marks its windows the same way.
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != GetCurrentProcessId()) return nullptr;
  return static_cast<TWinControl*>(GetPropA(window, kObjectProperty));
}

TWinControl::TWinControl(TComponent* owner) : TComponent(owner) {}

TWinControl::~TWinControl() {
  DestroyHandle();
  for (TWinControl* child : controls_) child->parent_ = nullptr;
  controls_.clear();
  DestroyComponents();
  SetParent(nullptr);
  if (fontHandle_ != nullptr) DeleteObject(fontHandle_);
}

void TWinControl::SetParent(TWinControl* parent) {
  if (parent_ == parent) return;
  if (parent_ != nullptr) std::erase(parent_->controls_, this);
  parent_ = parent;
  if (parent_ != nullptr) parent_->controls_.push_back(this);
}

TForm* TWinControl::ParentForm() {
  for (TWinControl* control = this; control != nullptr; control = control->parent_) {
    if (auto* form = dynamic_cast<TForm*>(control)) return form;
  }
  return nullptr;
}

void TWinControl::HandleNeeded() {
  if (handle_ != nullptr) return;
  if (parent_ != nullptr) {
    parent_->HandleNeeded();
    if (handle_ != nullptr) return;  // the parent made its children
  }
  CreateWnd();
}

void TWinControl::DestroyHandle() {
  if (handle_ == nullptr) return;
  DestroyWindow(handle_);
  if (handle_ != nullptr) Detach();
}

void TWinControl::FillCreateParams(CreateParams& params) {
  params.style = WS_CHILD | WS_CLIPSIBLINGS;
  if (visible_) params.style |= WS_VISIBLE;
  if (tabStop_) params.style |= WS_TABSTOP;
  if (!enabled_) params.style |= WS_DISABLED;
}

void TWinControl::CreateWnd() {
  CreateParams params;
  FillCreateParams(params);
  AdjustSize();
  HWND parentWindow = parent_ != nullptr ? parent_->handle_ : nullptr;
  HWND window =
      CreateWindowExA(params.exStyle, params.className, text_.c_str(), params.style, left_, top_,
                      width_, height_, parentWindow, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (window == nullptr) throw EOutOfResources(LoadResString(text_id::kWindowClass));
  AttachHandle(window, reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC)));
  SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RoutedProc));
  SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), FALSE);
  CreateChildren();
}

void TWinControl::CreateChildren() {
  for (TWinControl* child : controls_) {
    if (child->handle_ == nullptr) child->CreateWnd();
  }
}

void TWinControl::CreateOwnClassWindow(DWORD exStyle, const char* className, DWORD style,
                                       HWND owner) {
  creating = this;
  HWND window = CreateWindowExA(exStyle, className, text_.c_str(), style, left_, top_, width_,
                                height_, owner, nullptr, GetModuleHandleA(nullptr), nullptr);
  creating = nullptr;
  if (window == nullptr) throw EOutOfResources(LoadResString(text_id::kWindowClass));
}

void TWinControl::AttachHandle(HWND handle, WNDPROC platformProc) {
  handle_ = handle;
  platformProc_ = platformProc;
  SetPropA(handle, kObjectProperty, this);
}

void TWinControl::Detach() {
  if (handle_ == nullptr) return;
  RemovePropA(handle_, kObjectProperty);
  if (reinterpret_cast<WNDPROC>(GetWindowLongPtrA(handle_, GWLP_WNDPROC)) == &RoutedProc &&
      platformProc_ != DefWindowProcA) {
    SetWindowLongPtrA(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(platformProc_));
  }
  handle_ = nullptr;
}

LRESULT CALLBACK TWinControl::RoutedProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  TWinControl* control = FindControl(window);
  if (control == nullptr && creating != nullptr) {
    control = creating;
    creating = nullptr;
    control->AttachHandle(window, DefWindowProcA);
  }
  if (control == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  return control->MainWndProc(message, wParam, lParam);
}

// No error may cross the platform's frames: what a handler raises is
// reported here, and the message counts as handled.
LRESULT TWinControl::MainWndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    return WndProc(message, wParam, lParam);
  } catch (...) {
    CurrentShell().ReportHandlerError(this);
    return 0;
  }
}

LRESULT TWinControl::DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam) {
  return CallWindowProcA(platformProc_, handle_, message, wParam, lParam);
}

LRESULT TWinControl::Perform(UINT message, WPARAM wParam, LPARAM lParam) {
  return WndProc(message, wParam, lParam);
}

LRESULT TWinControl::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message >= kCnBase && IsColourRequest(message - kCnBase)) {
    return ColourRequest(reinterpret_cast<HDC>(wParam));
  }
  switch (message) {
    case kCnKeyDown:
    case kCnChar:
    case kCnSysChar: return KeyPreview(message, wParam, lParam);
    case WM_SETFOCUS: {
      LRESULT result = DefaultHandler(message, wParam, lParam);
      TForm* form = ParentForm();
      if (form != nullptr && form != this) form->FocusChanged(this);
      return result;
    }
    case WM_WINDOWPOSCHANGED: {
      const auto* place = reinterpret_cast<const WINDOWPOS*>(lParam);
      if (!(place->flags & SWP_NOMOVE)) {
        left_ = place->x;
        top_ = place->y;
      }
      if (!(place->flags & SWP_NOSIZE)) {
        width_ = place->cx;
        height_ = place->cy;
      }
      break;
    }
    case WM_NCDESTROY: {
      LRESULT result = DefaultHandler(message, wParam, lParam);
      Detach();
      return result;
    }
    default: break;
  }
  return DefaultHandler(message, wParam, lParam);
}

// The control sees its keys before the platform does. Tab, the arrows,
// Enter and Escape go to the form unless the control's dialog code claims
// them; typed characters that the control does not take, and Alt with a
// letter, are offered to the form as accelerators. Answering 1 uses the key
// up.
LRESULT TWinControl::KeyPreview(UINT message, WPARAM wParam, LPARAM lParam) {
  TForm* form = ParentForm();
  if (form == nullptr) return 0;
  if (message == kCnKeyDown) {
    LRESULT mode = 0;
    switch (wParam) {
      case VK_TAB:
        if (GetKeyState(VK_CONTROL) >= 0) mode = DLGC_WANTTAB;
        break;
      case VK_LEFT:
      case VK_RIGHT:
      case VK_UP:
      case VK_DOWN: mode = DLGC_WANTARROWS; break;
      case VK_RETURN:
      case VK_EXECUTE:
      case VK_ESCAPE:
      case VK_CANCEL: mode = DLGC_WANTALLKEYS; break;
      default: break;
    }
    if (mode == 0 || (Perform(WM_GETDLGCODE) & mode) != 0) return 0;
    return form->DialogKey(wParam, lParam) ? 1 : 0;
  }
  const char character = static_cast<char>(wParam);
  if (message == kCnChar) {
    if ((Perform(WM_GETDLGCODE) & DLGC_WANTCHARS) != 0) return 0;
    return form->DialogChar(character) ? 1 : 0;
  }
  if (wParam == VK_SPACE) return 0;  // Alt+Space opens the window menu
  return form->DialogChar(character) ? 1 : 0;
}

LRESULT TWinControl::ColourRequest(HDC surface) {
  SetTextColor(surface, font_.color.ToRgb());
  SetBkColor(surface, color_.ToRgb());
  return reinterpret_cast<LRESULT>(color_.Brush());
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  if (handle_ != nullptr) {
    SetWindowPos(handle_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

std::string TWinControl::Text() const {
  if (handle_ == nullptr) return text_;
  std::string text(static_cast<std::size_t>(GetWindowTextLengthA(handle_)) + 1, '\0');
  text.resize(static_cast<std::size_t>(
      GetWindowTextA(handle_, text.data(), static_cast<int>(text.size()))));
  return text;
}

void TWinControl::SetText(const std::string& text) {
  text_ = text;
  if (handle_ != nullptr) SetWindowTextA(handle_, text.c_str());
}

void TWinControl::SetFont(const TFont& font) {
  if (font == font_ && fontHandle_ != nullptr) return;
  font_ = font;
  HFONT old = fontHandle_;
  fontHandle_ = nullptr;
  if (handle_ != nullptr) {
    SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), TRUE);
  }
  if (old != nullptr) DeleteObject(old);
}

HFONT TWinControl::FontHandle() {
  if (fontHandle_ == nullptr) {
    LOGFONTA description = font_.ToLogFont();
    fontHandle_ = CreateFontIndirectA(&description);
  }
  return fontHandle_;
}

void TWinControl::SetVisible(bool visible) {
  visible_ = visible;
  if (handle_ != nullptr) ShowWindow(handle_, visible ? SW_SHOW : SW_HIDE);
}

void TWinControl::SetEnabled(bool enabled) {
  enabled_ = enabled;
  if (handle_ != nullptr) EnableWindow(handle_, enabled);
}

bool TWinControl::CanFocus() const {
  if (!TakesFocus()) return false;
  for (const TWinControl* control = this; control != nullptr; control = control->parent_) {
    if (!control->visible_ || !control->enabled_) return false;
  }
  return true;
}

bool TWinControl::Focused() const { return handle_ != nullptr && GetFocus() == handle_; }

void TWinControl::SetFocus() {
  TForm* form = ParentForm();
  if (form != nullptr && form != this) {
    form->FocusControl(this);
  } else if (handle_ != nullptr) {
    ::SetFocus(handle_);
  }
}

}  // namespace toridasu::ui
