// What a message box is made of (kinds, buttons, results) and the arithmetic
// of its layout. Nothing here touches a window: the box's builder measures
// its font and texts and hands the numbers in, so the layout can be checked
// on its own, on any build.
#pragma once

#include <array>
#include <cstdint>

#include "base/string_ids.h"

namespace toridasu::ui {

enum MessageBoxKind : uint8_t { mkWarning, mkError, mkInformation, mkConfirmation, mkCustom };

enum MessageBoxButton : int {
  bnYes,
  bnNo,
  bnOK,
  bnCancel,
  bnAbort,
  bnRetry,
  bnIgnore,
  bnAll,
  bnNoToAll,
  bnYesToAll,
  bnHelp,
};
constexpr int kButtonCount = 11;
constexpr int kNoButton = -1;

// Bit n set: button n is present. Bits 11 to 15 mean nothing.
using MessageBoxButtons = uint16_t;
constexpr MessageBoxButtons ButtonBit(MessageBoxButton button) {
  return static_cast<MessageBoxButtons>(1u << button);
}
constexpr bool HasButton(MessageBoxButtons buttons, int button) {
  return button >= 0 && button < kButtonCount && (buttons >> button) & 1u;
}

// What a box answers: the number of the button that closed it.
enum ModalResult : int {
  mrNone = 0,
  mrOk = 1,
  mrCancel = 2,
  mrAbort = 3,
  mrRetry = 4,
  mrIgnore = 5,
  mrYes = 6,
  mrNo = 7,
  mrAll = 8,
  mrNoToAll = 9,
  mrYesToAll = 10,
};

struct ButtonInfo {
  const char* name;    // component name
  uint32_t captionId;  // string-table id of the caption
  ModalResult result;  // mrNone: the button does not close the box (Help)
};

// In the order the buttons are created and laid out, left to right.
inline constexpr std::array<ButtonInfo, kButtonCount> kButtonTable = {{
    {"Yes", text_id::kMsgDlgYes, mrYes},
    {"No", text_id::kMsgDlgNo, mrNo},
    {"OK", text_id::kMsgDlgOK, mrOk},
    {"Cancel", text_id::kMsgDlgCancel, mrCancel},
    {"Abort", text_id::kMsgDlgAbort, mrAbort},
    {"Retry", text_id::kMsgDlgRetry, mrRetry},
    {"Ignore", text_id::kMsgDlgIgnore, mrIgnore},
    {"All", text_id::kMsgDlgAll, mrAll},
    {"NoToAll", text_id::kMsgDlgNoToAll, mrNoToAll},
    {"YesToAll", text_id::kMsgDlgYesToAll, mrYesToAll},
    {"Help", text_id::kMsgDlgHelp, mrNone},
}};

struct KindInfo {
  uint32_t titleId;  // 0: the application's title
  int iconId;        // system icon resource number, 0 for none
};

inline constexpr std::array<KindInfo, 5> kKindTable = {{
    {text_id::kMsgDlgWarning, 32515},      // exclamation
    {text_id::kMsgDlgError, 32513},        // hand
    {text_id::kMsgDlgInformation, 32516},  // asterisk
    {text_id::kMsgDlgConfirm, 32514},      // question
    {0, 0},
}};

constexpr int kIconSize = 32;
// Added to a caption's measured width to give its button some air.
constexpr int kButtonCaptionPadding = 8;

// a * b / d to the nearest integer, halves away from zero, with an exact
// 64-bit product; -1 when d is 0 (as the platform's MulDiv answers).
constexpr int MulDivRounded(int a, int b, int d) {
  if (d == 0) return -1;
  const int64_t product = static_cast<int64_t>(a) * b;
  const bool negative = (product < 0) != (d < 0);
  const int64_t magnitude = product < 0 ? -product : product;
  const int64_t divisor = d < 0 ? -static_cast<int64_t>(d) : d;
  const int64_t quotient = (2 * magnitude + divisor) / (2 * divisor);
  return static_cast<int>(negative ? -quotient : quotient);
}

// Average character width (x) and character height (y) of the box's font.
struct CharSize {
  int x = 0;
  int y = 0;
};

// The layout's fixed quantities, in pixels of a given font.
struct LayoutMetrics {
  int horizontalMargin;
  int verticalMargin;
  int horizontalSpacing;  // icon to text
  int verticalSpacing;    // text to buttons
  int minButtonWidth;
  int buttonHeight;
  int buttonSpacing;
};

// Dialog units are a quarter of the average width across and an eighth of
// the height down.
constexpr LayoutMetrics PixelMetrics(CharSize c) {
  return {MulDivRounded(8, c.x, 4),  MulDivRounded(8, c.y, 8),  MulDivRounded(10, c.x, 4),
          MulDivRounded(10, c.y, 8), MulDivRounded(50, c.x, 4), MulDivRounded(14, c.y, 8),
          MulDivRounded(4, c.x, 4)};
}

// OK, else Yes, else Retry; kNoButton when the chosen one is absent.
constexpr int DefaultButton(MessageBoxButtons buttons) {
  const int choice = HasButton(buttons, bnOK) ? bnOK : HasButton(buttons, bnYes) ? bnYes : bnRetry;
  return HasButton(buttons, choice) ? choice : kNoButton;
}

// Cancel, else No, else OK; kNoButton when the chosen one is absent.
constexpr int CancelButton(MessageBoxButtons buttons) {
  const int choice = HasButton(buttons, bnCancel) ? bnCancel
                     : HasButton(buttons, bnNo)   ? bnNo
                                                  : bnOK;
  return HasButton(buttons, choice) ? choice : kNoButton;
}

struct LayoutRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const LayoutRect&, const LayoutRect&) = default;
};

struct MessageBoxLayout {
  LayoutMetrics metrics{};
  int clientWidth = 0;
  int clientHeight = 0;
  bool hasIcon = false;
  LayoutRect icon;
  LayoutRect text;
  int buttonWidth = 0;
  int rowWidth = 0;
  std::array<LayoutRect, kButtonCount> buttons{};  // set for the buttons present
};

// Places everything in client coordinates. textWidth and textHeight are the
// wrapped text block's size; captionWidths holds each present button's
// measured caption width plus padding (the width cache).
constexpr MessageBoxLayout LayoutMessageBox(CharSize charSize, int textWidth, int textHeight,
                                            bool hasIcon, MessageBoxButtons buttons,
                                            const std::array<int, kButtonCount>& captionWidths,
                                            bool rightToLeft = false) {
  MessageBoxLayout out;
  const LayoutMetrics m = PixelMetrics(charSize);
  out.metrics = m;
  out.hasIcon = hasIcon;

  int buttonWidth = m.minButtonWidth;
  int count = 0;
  for (int b = 0; b < kButtonCount; ++b) {
    if (!HasButton(buttons, b)) continue;
    ++count;
    if (captionWidths[b] > buttonWidth) buttonWidth = captionWidths[b];
  }
  out.buttonWidth = buttonWidth;

  int blockWidth = textWidth;
  int blockHeight = textHeight;
  if (hasIcon) {
    blockWidth = textWidth + m.horizontalSpacing + kIconSize;
    if (textHeight < kIconSize) blockHeight = kIconSize;
  }
  out.rowWidth = count == 0 ? 0 : count * buttonWidth + (count - 1) * m.buttonSpacing;
  out.clientWidth =
      (blockWidth > out.rowWidth ? blockWidth : out.rowWidth) + 2 * m.horizontalMargin;
  out.clientHeight = blockHeight + m.buttonHeight + m.verticalSpacing + 2 * m.verticalMargin;

  if (hasIcon) out.icon = {m.horizontalMargin, m.verticalMargin, kIconSize, kIconSize};
  int textLeft = blockWidth - textWidth + m.horizontalMargin;
  if (rightToLeft) textLeft = out.clientWidth - textLeft - textWidth;
  out.text = {textLeft, m.verticalMargin, textWidth, textHeight};

  int x = (out.clientWidth - out.rowWidth) / 2;
  const int y = blockHeight + m.verticalMargin + m.verticalSpacing;
  for (int b = 0; b < kButtonCount; ++b) {
    if (!HasButton(buttons, b)) continue;
    out.buttons[b] = {x, y, buttonWidth, m.buttonHeight};
    x += buttonWidth + m.buttonSpacing;
  }
  return out;
}

}  // namespace toridasu::ui
