// The application object, TApplication: the hidden ApplicationWindow that
// owns every window of the program and carries its taskbar button, the main
// window, the event loop and the end of the program.
#pragma once

#include <windows.h>

#include <new>
#include <string>
#include <utility>
#include <vector>

#include "ui/form.h"
#include "ui/shell.h"

namespace toridasu::app {

constexpr char kApplicationWindowClass[] = "TApplication";
// Popup, clip siblings, caption, system menu, minimize box.
constexpr DWORD kApplicationWindowStyle = 0x84CA0000;

class TApplication : public ui::TComponent, public ui::FormHost {
 public:
  // Computes ApplicationTitle, loads the icon, registers the window class
  // "TApplication" if needed and creates ApplicationWindow. Raises
  // EOutOfResources when the class cannot be registered.
  TApplication();
  ~TApplication() override;

  HWND Handle() const { return handle_; }
  // ApplicationTitle as the caption of ApplicationWindow holds it.
  std::string Title() const;
  HICON Icon() const { return icon_; }
  ui::TForm* MainForm() const override { return mainForm_; }
  bool Running() const { return running_; }
  bool Terminated() const { return terminate_; }
  // The tests run many loops in one process.
  void ResetTerminated() { terminate_ = false; }
  bool Active() const { return active_; }

  // Stores the new window object in `reference` before constructing it with
  // the application as its owner; the first form made so becomes the main
  // window, with its platform window created (hidden).
  template <class T>
  void CreateMainWindow(T*& reference);

  // Shows the main window and pumps messages until the quit message.
  void RunEventLoop();
  // RunEventLoop's start: the show command of the process, then the main
  // window made visible (or the application minimized).
  void ShowMainWindow();
  // Takes one message off the queue and routes it; false when it was empty.
  bool DispatchNextMessage();
  // The work done when the queue is empty, ending in a wait for a message.
  void IdleStep(const MSG& last);

  void RequestQuit() override;
  void Minimize();
  void Restore();

  void AddWindowHook(ui::Shell::WindowHook hook, void* context);
  void RemoveWindowHook(ui::Shell::WindowHook hook, void* context);

  // FormHost.
  void MinimizeApplication() override { Minimize(); }
  void UpdateVisible() override;
  void FormDestroyed(ui::TForm* form) override;

 private:
  void AdoptMainWindow(ui::TForm* form);
  bool KeyboardPreDispatch(const MSG& message);
  void TrackControlUnderMouse();
  void FocusTopWindow();
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  HWND handle_ = nullptr;
  HICON icon_ = nullptr;
  ui::TForm* mainForm_ = nullptr;
  bool running_ = false;
  bool terminate_ = false;
  bool showMainForm_ = true;
  bool updateFormatSettings_ = true;
  bool active_ = true;
  MSG lastMessage_{};
  HWND controlUnderMouse_ = nullptr;
  std::vector<HWND> disabledWhileDisabled_;
  std::vector<std::pair<ui::Shell::WindowHook, void*>> hooks_;
};

// The application object of the process; created by start-up step 5.
extern TApplication* Application;

template <class T>
void TApplication::CreateMainWindow(T*& reference) {
  void* memory = ::operator new(sizeof(T));
  reference = static_cast<T*>(memory);
  try {
    new (memory) T(this);
  } catch (...) {
    reference = nullptr;
    ::operator delete(memory);
    throw;
  }
  AdoptMainWindow(reference);
}

}  // namespace toridasu::app
