// The message box's window, TMessageForm: its parts, the keys it answers and
// its modal loop. BuildMessageBox (message_box.h) makes and lays it out.
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

}  // namespace toridasu::ui
