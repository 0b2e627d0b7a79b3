// Windowed controls as C++ objects: each window's messages are routed to
// its object, which handles what it needs and passes the rest on to the
// platform. Platform controls (EDIT, BUTTON, STATIC) are subclassed after
// creation; forms register classes of their own (form.h).
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace toridasu::ui {

// A platform message handed back to the control it concerns, under its own
// number plus this base: key messages before the platform sees them (the
// event loop's keyboard pre-dispatch), and the notifications and colour
// requests that a parent receives for a child.
constexpr UINT kCnBase = 0xBC00;
constexpr UINT kCnKeyDown = kCnBase + WM_KEYDOWN;
constexpr UINT kCnKeyUp = kCnBase + WM_KEYUP;
constexpr UINT kCnChar = kCnBase + WM_CHAR;
constexpr UINT kCnSysKeyDown = kCnBase + WM_SYSKEYDOWN;
constexpr UINT kCnSysChar = kCnBase + WM_SYSCHAR;
constexpr UINT kCnCommand = kCnBase + WM_COMMAND;
// The colour requests, WM_CTLCOLORMSGBOX to WM_CTLCOLORSTATIC.
constexpr bool IsColourRequest(UINT message) {
  return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
}

// Notices of the form layer itself.
constexpr UINT kCmBase = 0xB000;
constexpr UINT kCmMouseEnter = kCmBase + 19;
constexpr UINT kCmMouseLeave = kCmBase + 20;
// Posted by ApplicationWindow to itself after it received the focus.
constexpr UINT kCmApplicationFocus = kCmBase + 64;

// Keys that arrive with Alt held carry this bit in their key data.
constexpr LPARAM kAltDownBit = 0x20000000;

// The ownership tree of the user interface: an owner destroys what it owns.
class TComponent {
 public:
  explicit TComponent(TComponent* owner);
  // Destroys the owned components, the most recently added first, and
  // leaves the owner's list.
  virtual ~TComponent();
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  const std::string& Name() const { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }
  TComponent* Owner() const { return owner_; }
  // In the order they were added.
  const std::vector<TComponent*>& Components() const { return components_; }
  TComponent* FindComponent(std::string_view name) const;
  void DestroyComponents();

 private:
  std::string name_;
  TComponent* owner_;
  std::vector<TComponent*> components_;
};

class TForm;

// A colour as the layout names it: one of the system's colours or a fixed
// RGB value.
class TColor {
 public:
  static constexpr TColor System(int index) { return TColor(index, 0); }
  static constexpr TColor Rgb(COLORREF rgb) { return TColor(-1, rgb); }
  COLORREF ToRgb() const;
  // The brush of the colour, kept for the rest of the run.
  HBRUSH Brush() const;
  friend constexpr bool operator==(TColor, TColor) = default;

 private:
  constexpr TColor(int system, COLORREF rgb) : system_(system), rgb_(rgb) {}
  int system_;
  COLORREF rgb_;
};

constexpr TColor clBtnFace = TColor::System(COLOR_BTNFACE);
constexpr TColor clWindow = TColor::System(COLOR_WINDOW);
constexpr TColor clWindowText = TColor::System(COLOR_WINDOWTEXT);
constexpr TColor clBtnText = TColor::System(COLOR_BTNTEXT);

enum TFontStyle : uint8_t { fsBold, fsItalic, fsUnderline, fsStrikeOut };

// A font description; the platform font is made from it when needed.
struct TFont {
  std::string name;  // Shift-JIS
  int height = 0;    // negative: character height in pixels
  uint8_t charset = DEFAULT_CHARSET;
  TColor color = clWindowText;
  uint8_t styles = 0;  // bits of TFontStyle

  bool Has(TFontStyle style) const { return (styles >> style) & 1u; }
  LOGFONTA ToLogFont() const;
  friend bool operator==(const TFont&, const TFont&) = default;
};

class TWinControl : public TComponent {
 public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;

  HWND Handle() const { return handle_; }
  bool HandleAllocated() const { return handle_ != nullptr; }
  // Creates the window, and the parent's first.
  void HandleNeeded();
  void DestroyHandle();

  TWinControl* Parent() const { return parent_; }
  void SetParent(TWinControl* parent);
  // The child controls in creation order (the platform's child order).
  const std::vector<TWinControl*>& Controls() const { return controls_; }
  // The form that holds the control (the form itself for a form).
  TForm* ParentForm();

  // In the parent's client coordinates; a form's are screen coordinates of
  // its outer rectangle.
  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetBounds(int left, int top, int width, int height);

  std::string Text() const;
  void SetText(const std::string& text);

  const TFont& Font() const { return font_; }
  void SetFont(const TFont& font);
  HFONT FontHandle();
  TColor Color() const { return color_; }
  void SetColor(TColor color) { color_ = color; }

  int TabOrder() const { return tabOrder_; }  // -1: not in the Tab sequence
  void SetTabOrder(int order) { tabOrder_ = order; }
  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool tabStop) { tabStop_ = tabStop; }
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);

  // Whether the control ever takes the keyboard focus (labels do not).
  virtual bool TakesFocus() const { return true; }
  // Takes the focus now: it takes focus, and it and every parent up to the
  // form are shown and enabled.
  bool CanFocus() const;
  bool Focused() const;
  void SetFocus();

  // Sends a message straight to the object's own handling.
  LRESULT Perform(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

  // Keys the form offers every control when the focused one does not use
  // them (Enter on a button) and typed accelerator letters; true when used.
  virtual bool DialogKeyOffered(WPARAM /*key*/, LPARAM /*keyData*/) { return false; }
  virtual bool DialogCharOffered(char /*character*/) { return false; }
  // The focus moved to `focused` (possibly another control).
  virtual void FocusMoved(TWinControl* /*focused*/) {}
  // The focus came from elsewhere in the form.
  virtual void DoEnter() {}

 protected:
  struct CreateParams {
    const char* className = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
  };
  // Class and styles of the platform window.
  virtual void FillCreateParams(CreateParams& params);
  // Sizes that follow the font, fixed before the window is made.
  virtual void AdjustSize() {}
  virtual void CreateWnd();
  virtual LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam);
  // Makes the window of a class whose procedure is RoutedProc, tied to this
  // object from its first message on.
  void CreateOwnClassWindow(DWORD exStyle, const char* className, DWORD style, HWND owner);
  void CreateChildren();

  static LRESULT CALLBACK RoutedProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  std::string text_;
  int left_ = 0;
  int top_ = 0;
  int width_ = 0;
  int height_ = 0;
  bool visible_ = true;

 private:
  LRESULT MainWndProc(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT KeyPreview(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT ColourRequest(HDC surface);
  void AttachHandle(HWND handle, WNDPROC platformProc);
  void Detach();

  HWND handle_ = nullptr;
  WNDPROC platformProc_ = DefWindowProcA;
  TWinControl* parent_ = nullptr;
  std::vector<TWinControl*> controls_;
  TFont font_;
  HFONT fontHandle_ = nullptr;
  TColor color_ = clBtnFace;
  int tabOrder_ = -1;
  bool tabStop_ = false;
  bool enabled_ = true;
};

// The object of one of the program's windows, or nullptr.
TWinControl* FindControl(HWND window);

}  // namespace toridasu::ui
