// A shell for the tests that run user-interface parts without the
// application: the boxes it is asked for are recorded, hooks and the modal
// state do nothing, and handler errors are counted. Tests that need more
// override what they need.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "ui/shell.h"

namespace toridasu::test {

// A window of a plain class whose procedure is `procedure`.
HWND MakeTestWindow(DWORD style, HWND owner, int x, int y, int width, int height,
                    WNDPROC procedure = &DefWindowProcA);
// Dispatches every message waiting in the thread's queue.
void PumpWaiting();

class TestShell : public ui::Shell {
 public:
  struct Box {
    std::string text;
    std::string caption;
    UINT flags;
  };

  // Destroys the windows a test made for it.
  ~TestShell() override;

  HWND ApplicationWindow() const override { return owner; }
  HINSTANCE Instance() const override { return GetModuleHandleA(nullptr); }
  HMODULE ResourceModule() const override { return GetModuleHandleA(nullptr); }
  std::string Title() const override { return "Toridasu"; }
  HWND MainFormWindow() const override { return mainForm; }
  int ApplicationMessageBox(const std::string& text, const std::string& caption,
                            UINT flags) override {
    boxes.push_back({text, caption, flags});
    return IDOK;
  }
  void AddWindowHook(WindowHook, void*) override {}
  void RemoveWindowHook(WindowHook, void*) override {}
  std::vector<HWND> DisableTaskWindows(HWND) override { return {}; }
  void EnableTaskWindows(const std::vector<HWND>&) override {}
  void ReportHandlerError(const void*) override { ++reportedErrors; }

  HWND owner = nullptr;     // ApplicationWindow, none unless a test makes one
  HWND mainForm = nullptr;  // the main form's window, likewise
  std::vector<Box> boxes;
  int reportedErrors = 0;
};

}  // namespace toridasu::test
