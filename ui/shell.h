// What the user-interface parts need of the application shell. The shell
// (app/) implements it and installs it at start-up; the user interface never
// includes app/ headers, so dependencies keep pointing one way.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "engine/conversion_context.h"

namespace toridasu::ui {

class Shell {
 public:
  virtual ~Shell() = default;

  // The hidden owner of every top-level window of the program.
  virtual HWND ApplicationWindow() const = 0;
  // The program's module.
  virtual HINSTANCE Instance() const = 0;
  // Where resources come from: the language module when one is loaded, else
  // the program's own module.
  virtual HMODULE ResourceModule() const = 0;
  // ApplicationTitle, as the caption of ApplicationWindow holds it.
  virtual std::string Title() const = 0;
  // The main form's window, or nullptr before it exists and after it is gone.
  virtual HWND MainFormWindow() const = 0;

  // The application's modal platform message box (used for the error box).
  virtual int ApplicationMessageBox(const std::string& text, const std::string& caption,
                                    UINT flags) = 0;

  // Callbacks that see each message of ApplicationWindow before the
  // application does; the first to answer true has handled it.
  using WindowHook = bool (*)(void* context, UINT message, WPARAM wParam, LPARAM lParam,
                              LRESULT* result);
  virtual void AddWindowHook(WindowHook hook, void* context) = 0;
  virtual void RemoveWindowHook(WindowHook hook, void* context) = 0;

  // Disables every visible, enabled top-level window of the thread except
  // `keep`, returning them; EnableTaskWindows re-enables those still there.
  virtual std::vector<HWND> DisableTaskWindows(HWND keep) = 0;
  virtual void EnableTaskWindows(const std::vector<HWND>& windows) = 0;

  // Called from inside a catch block of a message handler: shows the error
  // being handled (std::current_exception) and lets the program go on.
  virtual void ReportHandlerError(const void* sender) = 0;

  // The process's conversion context (platform, lead bytes, decimal
  // separator) as the last locale refresh left it. A shell that keeps none
  // answers the system's locale as it was first asked.
  virtual const ConversionContext& Conversion() const;
};

// The shell of this process; set by the application at start-up (tests may
// install their own).
Shell& CurrentShell();
void SetShell(Shell* shell);

}  // namespace toridasu::ui
