// Top-level windows of the program: a form has its own window class, owns
// and lays out its controls from its layout resource, keeps track of the
// focus and answers the keys of a dialog (Tab, arrows, Enter,
// accelerators). The application object stands behind every form as its
// FormHost.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/control.h"

namespace toridasu::ui {

// Trims the system menu of a fixed-size (dialog-framed) window to Move and
// Close, as the main window and the message boxes have it.
void TrimDialogSystemMenu(HWND window);

class TForm;
class LayoutComponent;

enum TBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog };
enum TBorderIcon : uint8_t { biSystemMenu, biMinimize, biMaximize, biHelp };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TPosition { poDesigned, poScreenCenter };

constexpr unsigned BorderIconBit(TBorderIcon icon) { return 1u << icon; }

// What forms need of the application object.
class FormHost {
 public:
  virtual ~FormHost() = default;
  virtual TForm* MainForm() const = 0;
  // Closing the main form ends the program.
  virtual void RequestQuit() = 0;
  // The main form's minimize command minimizes the whole application.
  virtual void MinimizeApplication() = 0;
  // A form was shown or hidden.
  virtual void UpdateVisible() = 0;
  virtual void FormDestroyed(TForm* form) = 0;
};
// nullptr when no application runs (forms then behave as secondary ones).
FormHost* CurrentFormHost();
void SetFormHost(FormHost* host);

// Every form that exists, in creation order.
const std::vector<TForm*>& Forms();

class TForm : public TWinControl {
 public:
  using EventHandler = std::function<void()>;

  explicit TForm(TComponent* owner);
  ~TForm() override;

  // The frame; it takes effect when the window is made.
  const std::string& WindowClassName() const { return className_; }
  void SetWindowClassName(std::string name) { className_ = std::move(name); }
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle style) { borderStyle_ = style; }
  // Bits of TBorderIcon as the layout asks for them; the frame may drop some.
  unsigned BorderIcons() const { return borderIcons_; }
  void SetBorderIcons(unsigned icons) { borderIcons_ = icons; }
  int ClientWidth() const { return clientWidth_; }
  int ClientHeight() const { return clientHeight_; }
  void SetClientSize(int width, int height);
  TPosition Position() const { return position_; }
  void SetPosition(TPosition position) { position_ = position; }
  TWindowState WindowState() const { return windowState_; }
  void SetWindowState(TWindowState state);
  void SetOnShow(EventHandler handler) { onShow_ = std::move(handler); }

  // Makes the window visible (running the show event first) or hides it.
  void Show();
  void Hide();
  // A close request: the close query, then the main form ends the program
  // and any other form is hidden.
  void Close();
  virtual bool CloseQuery() { return true; }

  // The control that has or will get the focus within the form.
  TWinControl* ActiveControl() const { return activeControl_; }
  // Moves the focus to `control`, at once when the form is active.
  void FocusControl(TWinControl* control);
  // A control received the focus.
  void FocusChanged(TWinControl* control);
  // The controls that can take the focus, in tab order.
  std::vector<TWinControl*> TabOrderList() const;
  // Focuses the next (or previous) control after `current`, wrapping around;
  // with `checkTabStop` only controls with their tab stop set.
  void SelectNext(TWinControl* current, bool forward, bool checkTabStop);
  // Dialog keys and characters that the focused control leaves to the form;
  // true when they were used.
  bool DialogKey(WPARAM key, LPARAM keyData);
  bool DialogChar(char character);

 protected:
  // The handler a layout names for an event; raises EReadError when the
  // form has none of that name.
  virtual EventHandler FindHandler(std::string_view name);
  // A component of a kind the form layer does not make itself.
  virtual void ReadComponent(const LayoutComponent& component);
  // Looks up a control made from the layout; EReadError when it is missing
  // or of another kind.
  template <class T>
  T* Bind(std::string_view name) {
    T* control = dynamic_cast<T*>(FindComponent(name));
    if (control == nullptr) MissingComponent(name);
    return control;
  }

  // Raises EResNotFound naming a component or handler the layout lacks.
  [[noreturn]] void MissingComponent(std::string_view name) const;

  void CreateWnd() override;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // Builds the frame and the components from a layout (form_loader.h).
  friend class FormLoader;

  void RegisterWindowClass(UINT classStyle) const;
  void RestoreFocus();
  bool IsMainForm() const;

  std::string className_ = "TForm";
  TBorderStyle borderStyle_ = bsSizeable;
  unsigned borderIcons_ =
      BorderIconBit(biSystemMenu) | BorderIconBit(biMinimize) | BorderIconBit(biMaximize);
  int clientWidth_ = 0;
  int clientHeight_ = 0;
  TPosition position_ = poDesigned;
  TWindowState windowState_ = wsNormal;
  EventHandler onShow_;
  TWinControl* activeControl_ = nullptr;
  TWinControl* focusedControl_ = nullptr;
};

}  // namespace toridasu::ui
