#include "ui/std_controls.h"

#include "files/file_names.h"
#include "ui/font_surface.h"

namespace toridasu::ui {
namespace {

// Neither Shift nor Ctrl nor Alt is held with the key.
bool NoShiftState(LPARAM keyData) {
  return GetKeyState(VK_SHIFT) >= 0 && GetKeyState(VK_CONTROL) >= 0 && (keyData & kAltDownBit) == 0;
}

char UpperCase(char character) {
  char buffer[1] = {character};
  CharUpperBuffA(buffer, 1);
  return buffer[0];
}

}  // namespace

bool IsAccelerator(char key, const std::string& caption) {
  for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
    const auto byte = static_cast<unsigned char>(caption[i]);
    if (IsLeadByte(byte)) {
      ++i;  // an ampersand is never the second byte of a character
      continue;
    }
    if (byte != '&') continue;
    if (caption[i + 1] == '&') {  // "&&" shows one ampersand
      ++i;
      continue;
    }
    if (IsLeadByte(static_cast<unsigned char>(caption[i + 1]))) return false;
    return UpperCase(caption[i + 1]) == UpperCase(key);
  }
  return false;
}

TLabel::TLabel(TComponent* owner) : TWinControl(owner) {}

void TLabel::FillCreateParams(CreateParams& params) {
  TWinControl::FillCreateParams(params);
  params.className = "STATIC";
  params.style |= SS_LEFTNOWORDWRAP;
}

void TLabel::AdjustSize() {
  std::string text = text_;
  if (text.empty() || text == "&") text += ' ';
  FontSurface surface(nullptr, FontHandle());
  RECT bounds{0, 0, width_, 0};
  DrawTextA(surface.Dc(), text.c_str(), static_cast<int>(text.size()), &bounds,
            DT_EXPANDTABS | DT_CALCRECT);
  width_ = bounds.right;
  height_ = bounds.bottom;
}

TEdit::TEdit(TComponent* owner) : TWinControl(owner) {
  SetColor(clWindow);
  SetTabStop(true);
}

void TEdit::FillCreateParams(CreateParams& params) {
  TWinControl::FillCreateParams(params);
  params.className = "EDIT";
  params.style |= ES_LEFT | ES_AUTOHSCROLL;
  if (readOnly_) params.style |= ES_READONLY;
  params.exStyle |= WS_EX_CLIENTEDGE;
}

// The text's height plus room for the sunken border.
void TEdit::AdjustSize() {
  FontSurface surface(nullptr, FontHandle());
  TEXTMETRICA metrics{};
  GetTextMetricsA(surface.Dc(), &metrics);
  height_ = metrics.tmHeight + 8 * GetSystemMetrics(SM_CYBORDER);
}

void TEdit::SelectAll() {
  if (HandleAllocated()) SendMessageA(Handle(), EM_SETSEL, 0, -1);
}

// A click places the caret where it falls; any other way in selects all.
void TEdit::DoEnter() {
  if (!mouseDown_) SelectAll();
}

LRESULT TEdit::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_LBUTTONDOWN) return TWinControl::WndProc(message, wParam, lParam);
  // The platform's handling of the click moves the focus here.
  struct Pressed {
    bool& flag;
    explicit Pressed(bool& f) : flag(f) { flag = true; }
    ~Pressed() { flag = false; }
  } pressed(mouseDown_);
  return TWinControl::WndProc(message, wParam, lParam);
}

TMemo::TMemo(TComponent* owner) : TEdit(owner) { SetTabStop(false); }

void TMemo::SetLines(const std::vector<std::string>& lines) {
  // Line breaks between the lines only: a break after the last one would
  // make an empty line that the caret can reach.
  std::string text;
  for (const std::string& line : lines) {
    if (!text.empty()) text += "\r\n";
    text += line;
  }
  SetText(text);
}

void TMemo::FillCreateParams(CreateParams& params) {
  TEdit::FillCreateParams(params);
  if (wordWrap_) params.style &= ~static_cast<DWORD>(ES_AUTOHSCROLL);
  params.style |= ES_MULTILINE | ES_AUTOVSCROLL;
  if (scrollBars_ == ssHorizontal || scrollBars_ == ssBoth) params.style |= WS_HSCROLL;
  if (scrollBars_ == ssVertical || scrollBars_ == ssBoth) params.style |= WS_VSCROLL;
}

LRESULT TMemo::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = TEdit::WndProc(message, wParam, lParam);
  if (message == WM_GETDLGCODE) result &= ~static_cast<LRESULT>(DLGC_WANTTAB);
  return result;
}

TButton::TButton(TComponent* owner) : TWinControl(owner) {
  SetColor(clBtnFace);
  SetTabStop(true);
}

void TButton::FillCreateParams(CreateParams& params) {
  TWinControl::FillCreateParams(params);
  params.className = "BUTTON";
  params.style |= BS_PUSHBUTTON;
}

void TButton::Click() {
  if (onClick_) onClick_();
}

bool TButton::DialogKeyOffered(WPARAM key, LPARAM keyData) {
  if (key != VK_RETURN || !active_ || !NoShiftState(keyData) || !CanFocus()) return false;
  Click();
  return true;
}

bool TButton::DialogCharOffered(char character) {
  if (!IsAccelerator(character, Text()) || !CanFocus()) return false;
  Click();
  return true;
}

// The focused button is drawn as the one that Enter clicks.
void TButton::FocusMoved(TWinControl* focused) {
  const bool active = focused == this;
  if (active == active_) return;
  active_ = active;
  if (HandleAllocated()) {
    SendMessageA(Handle(), BM_SETSTYLE, active ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
  }
}

LRESULT TButton::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kCnCommand) {
    if (HIWORD(wParam) == BN_CLICKED) Click();
    return 0;
  }
  return TWinControl::WndProc(message, wParam, lParam);
}

}  // namespace toridasu::ui
