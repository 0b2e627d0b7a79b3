// The platform controls of a form: label, single-line edit, memo and push
// button.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ui/control.h"

namespace toridasu::ui {

// One line of text sized to itself; never takes the focus.
class TLabel : public TWinControl {
 public:
  explicit TLabel(TComponent* owner);
  bool TakesFocus() const override { return false; }

 protected:
  void FillCreateParams(CreateParams& params) override;
  // Width and height of the caption in the label's font.
  void AdjustSize() override;
};

// A single-line edit field. Its height follows its font, and it selects its
// whole text when it receives the focus other than by a mouse click.
class TEdit : public TWinControl {
 public:
  explicit TEdit(TComponent* owner);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }
  void SelectAll();
  void DoEnter() override;

 protected:
  void FillCreateParams(CreateParams& params) override;
  void AdjustSize() override;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  bool readOnly_ = false;
  bool mouseDown_ = false;
};

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

// A multi-line edit. It keeps the arrow keys and Enter for itself but
// leaves Tab to the form.
class TMemo : public TEdit {
 public:
  explicit TMemo(TComponent* owner);
  // Each line followed by CR LF.
  void SetLines(const std::vector<std::string>& lines);
  void SetWordWrap(bool wordWrap) { wordWrap_ = wordWrap; }
  void SetScrollBars(TScrollStyle scrollBars) { scrollBars_ = scrollBars; }
  void DoEnter() override {}

 protected:
  void FillCreateParams(CreateParams& params) override;
  void AdjustSize() override {}
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  bool wordWrap_ = true;
  TScrollStyle scrollBars_ = ssNone;
};

// A push button. It is clicked by the mouse, by Space (the platform's own
// behaviour), by Enter while it has the focus, and by the accelerator
// letter of its caption.
class TButton : public TWinControl {
 public:
  explicit TButton(TComponent* owner);
  void SetOnClick(std::function<void()> handler) { onClick_ = std::move(handler); }
  void Click();

  bool DialogKeyOffered(WPARAM key, LPARAM keyData) override;
  bool DialogCharOffered(char character) override;
  void FocusMoved(TWinControl* focused) override;

 protected:
  void FillCreateParams(CreateParams& params) override;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  std::function<void()> onClick_;
  bool active_ = false;  // has the focus, so Enter clicks it
};

// Whether `key` is the accelerator of `caption`: the character after its
// first single ampersand, compared without regard to case.
bool IsAccelerator(char key, const std::string& caption);

}  // namespace toridasu::ui
