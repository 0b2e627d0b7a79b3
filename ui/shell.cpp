#include "ui/shell.h"

namespace toridasu::ui {
namespace {

// What the user interface finds before the application has installed its
// shell: no owner window, the program's own module, errors shown plainly.
class NoShell : public Shell {
 public:
  HWND ApplicationWindow() const override { return nullptr; }
  HINSTANCE Instance() const override { return GetModuleHandleA(nullptr); }
  HMODULE ResourceModule() const override { return GetModuleHandleA(nullptr); }
  std::string Title() const override { return {}; }
  HWND MainFormWindow() const override { return nullptr; }
  int ApplicationMessageBox(const std::string& text, const std::string& caption,
                            UINT flags) override {
    return MessageBoxA(nullptr, text.c_str(), caption.c_str(), flags);
  }
  void AddWindowHook(WindowHook, void*) override {}
  void RemoveWindowHook(WindowHook, void*) override {}
  std::vector<HWND> DisableTaskWindows(HWND) override { return {}; }
  void EnableTaskWindows(const std::vector<HWND>&) override {}
  void ReportHandlerError(const void*) override {}
};

NoShell noShell;
Shell* current = nullptr;

}  // namespace

const ConversionContext& Shell::Conversion() const {
  static const ConversionContext context = LocaleContext(SystemPlatform());
  return context;
}

Shell& CurrentShell() { return current != nullptr ? *current : noShell; }

void SetShell(Shell* shell) { current = shell; }

}  // namespace toridasu::ui
