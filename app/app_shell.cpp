#include "app/app_shell.h"

#include "app/application.h"
#include "app/application_title.h"
#include "app/error_box.h"
#include "app/language_module.h"
#include "app/startup.h"
#include "ui/shell.h"

namespace toridasu::app {
namespace {

class ApplicationShell : public ui::Shell {
 public:
  HWND ApplicationWindow() const override {
    return Application != nullptr ? Application->Handle() : nullptr;
  }
  HINSTANCE Instance() const override { return GetModuleHandleA(nullptr); }
  HMODULE ResourceModule() const override { return app::ResourceModule(); }
  std::string Title() const override {
    return Application != nullptr ? Application->Title() : ApplicationTitle();
  }
  HWND MainFormWindow() const override {
    ui::TForm* form = Application != nullptr ? Application->MainForm() : nullptr;
    return form != nullptr ? form->Handle() : nullptr;
  }
  int ApplicationMessageBox(const std::string& text, const std::string& caption,
                            UINT flags) override {
    return app::ApplicationMessageBox(text, caption, flags);
  }
  void AddWindowHook(WindowHook hook, void* context) override {
    if (Application != nullptr) Application->AddWindowHook(hook, context);
  }
  void RemoveWindowHook(WindowHook hook, void* context) override {
    if (Application != nullptr) Application->RemoveWindowHook(hook, context);
  }
  std::vector<HWND> DisableTaskWindows(HWND keep) override { return app::DisableTaskWindows(keep); }
  void EnableTaskWindows(const std::vector<HWND>& windows) override {
    app::EnableTaskWindows(windows);
  }
  void ReportHandlerError(const void* sender) override { app::ReportHandlerError(sender); }
  const ConversionContext& Conversion() const override { return app::ConversionSettings(); }
};

ApplicationShell shell;

struct TaskWindows {
  HWND keep;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectTaskWindow(HWND window, LPARAM context) {
  auto* task = reinterpret_cast<TaskWindows*>(context);
  if (window != task->keep && IsWindowVisible(window) && IsWindowEnabled(window)) {
    task->found.push_back(window);
  }
  return TRUE;
}

POINT CentreOf(const RECT& rect) {
  return {rect.left + (rect.right - rect.left) / 2, rect.top + (rect.bottom - rect.top) / 2};
}

}  // namespace

void InstallShell() {
  ui::SetShell(&shell);
  ui::SetFormHost(Application);
}

std::vector<HWND> DisableTaskWindows(HWND keep) {
  TaskWindows task{keep, {}};
  EnumThreadWindows(GetCurrentThreadId(), &CollectTaskWindow, reinterpret_cast<LPARAM>(&task));
  for (HWND window : task.found) EnableWindow(window, FALSE);
  return task.found;
}

void EnableTaskWindows(const std::vector<HWND>& windows) {
  for (HWND window : windows) {
    if (IsWindow(window)) EnableWindow(window, TRUE);
  }
}

int ApplicationMessageBox(const std::string& text, const std::string& caption, UINT flags) {
  HWND owner = Application != nullptr ? Application->Handle() : nullptr;
  HWND active = GetActiveWindow();
  // The box opens where ApplicationWindow is: bring it to the monitor of
  // the window the user works in.
  bool moved = false;
  RECT oldPlace{};
  if (owner != nullptr && active != nullptr) {
    HMONITOR activeMonitor = MonitorFromWindow(active, MONITOR_DEFAULTTONEAREST);
    if (activeMonitor != MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST)) {
      MONITORINFO monitor{sizeof monitor, {}, {}, 0};
      if (GetMonitorInfoA(activeMonitor, &monitor)) {
        GetWindowRect(owner, &oldPlace);
        const POINT centre = CentreOf(monitor.rcMonitor);
        moved = SetWindowPos(owner, nullptr, centre.x, centre.y, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE) != FALSE;
      }
    }
  }
  const std::vector<HWND> disabled = DisableTaskWindows(nullptr);
  const int answer = MessageBoxA(owner, text.c_str(), caption.c_str(), flags);
  if (moved) {
    const POINT centre = CentreOf(oldPlace);
    SetWindowPos(owner, nullptr, centre.x, centre.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE);
  }
  EnableTaskWindows(disabled);
  if (active != nullptr && IsWindow(active)) SetActiveWindow(active);
  return answer;
}

}  // namespace toridasu::app
