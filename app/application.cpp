#include "app/application.h"

#include <algorithm>

#include "base/errors.h"
#include "base/string_ids.h"
#include "base/string_table.h"
#include "files/file_names.h"

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

}  // namespace

TApplication* Application = nullptr;

std::string ApplicationTitleOf(std::string_view executablePath) {
  std::string name(executablePath.substr(FindLastDelimiter("\\", executablePath)));
  // A full stop is never the second byte of a character, but the walk keeps
  // to character boundaries all the same.
  for (std::size_t i = 0; i < name.size(); ++i) {
    if (IsLeadByte(static_cast<unsigned char>(name[i])) && i + 1 < name.size()) {
      ++i;
    } else if (name[i] == '.') {
      name.resize(i);
      break;
    }
  }
  // The first character keeps its case, whether it has one byte or two.
  std::size_t first = 0;
  if (!name.empty()) {
    first = IsLeadByte(static_cast<unsigned char>(name[0])) && name.size() > 1 ? 2 : 1;
  }
  if (name.size() > first) {
    CharLowerBuffA(name.data() + first, static_cast<DWORD>(name.size() - first));
  }
  return name;
}

std::string ExecutablePath() {
  char path[256] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  return std::string(path, length < sizeof path ? length : sizeof path - 1);
}

std::string ApplicationTitle() { return ApplicationTitleOf(ExecutablePath()); }

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

}  // namespace toridasu::app
