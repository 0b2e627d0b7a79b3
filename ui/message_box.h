// The program's own message box: a modal window of class TMessageForm, built
// afresh for every message from the system's message font, shown until the
// user answers and then destroyed. It makes no sound; callers beep when they
// want one.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ui/message_box_layout.h"

namespace toridasu::ui {

class TMessageForm {
 public:
  TMessageForm(const TMessageForm&) = delete;
  TMessageForm& operator=(const TMessageForm&) = delete;
  // Destroys the window and its font, whatever state the box is in.
  ~TMessageForm();

  HWND Handle() const { return handle_; }
  // The button's window, or nullptr when the box has no such button.
  HWND Button(int button) const;
  int DefaultButton() const { return defaultButton_; }
  int CancelButton() const { return cancelButton_; }

  void SetHelpContext(int32_t helpContext) { helpContext_ = helpContext; }
  void SetHelpFile(std::string helpFile) { helpFile_ = std::move(helpFile); }
  // Moves the outer top-left corner; a negative coordinate leaves that edge
  // where it is.
  void MoveTo(int left, int top);
  // Centre on the screen (or on the active window's monitor) when shown.
  void SetCentredOnShow(bool centred) { centredOnShow_ = centred; }

  // Runs the box modally and answers the number of the button that closed it
  // (mrCancel for the close button, Alt+F4 or a quit request).
  int ShowModal();

 private:
  friend std::unique_ptr<TMessageForm> BuildMessageBox(const std::string&, MessageBoxKind,
                                                       MessageBoxButtons);
  TMessageForm() = default;

  void Create(HWND owner, const std::string& title);
  void SetClientSize(int width, int height);
  void SetPosition(int left, int top);
  void AddIcon(int iconId, const LayoutRect& place);
  void AddText(const std::string& text, const LayoutRect& place);
  void AddButton(int button, const std::string& caption, const LayoutRect& place);
  void PlaceCentred(HWND activeWindow);

  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // Keys the box answers itself (Tab, arrows, Enter, Escape, accelerators);
  // true when the message was used up.
  bool PreTranslateKey(const MSG& msg);
  bool ClickAccelerator(char key);
  void MoveFocus(bool forward, bool tabStopsOnly);
  int FocusedButton() const;
  void ShowAsDefault(int button);
  void Click(int button);

  HWND handle_ = nullptr;
  HFONT font_ = nullptr;
  std::array<HWND, kButtonCount> buttons_{};
  std::array<std::string, kButtonCount> captions_{};
  std::vector<int> order_;  // the present buttons, in creation order
  int defaultButton_ = kNoButton;
  int cancelButton_ = kNoButton;
  int lastFocus_ = kNoButton;
  int result_ = mrNone;
  int32_t helpContext_ = 0;
  std::string helpFile_;
  bool centredOnShow_ = false;
};

// Shows `text` in a box of `kind` with `buttons`, centred; answers the result.
int ShowMessageBox(const std::string& text, MessageBoxKind kind, MessageBoxButtons buttons,
                   int32_t helpContext);
// The same at (x, y) when either is not negative, with a help file for the
// Help button.
int ShowMessageBoxAt(const std::string& text, MessageBoxKind kind, MessageBoxButtons buttons,
                     int32_t helpContext, int x, int y, const std::string& helpFile);
// A new, laid-out box that is not shown yet.
std::unique_ptr<TMessageForm> BuildMessageBox(const std::string& text, MessageBoxKind kind,
                                              MessageBoxButtons buttons);
// Average width of the 52 Latin letters and the character height of the
// surface's current font.
CharSize AverageCharSize(HDC surface);

// Each button's measured caption width plus padding, filled the first time a
// box with that button is built and kept for the rest of the run. Exposed so
// that tests can see and reset it.
std::array<int, kButtonCount>& ButtonWidthCache();

}  // namespace toridasu::ui
