// The message box's layout arithmetic on its own. Expected numbers are worked
// out by hand from the layout rules (the first case is the information box
// "変換しました！" with OK, at X = 7 and Y = 15).
#include "ui/message_box_layout.h"

#include <gtest/gtest.h>

#include <array>

namespace toridasu::ui {
namespace {

std::array<int, kButtonCount> Widths(std::initializer_list<std::pair<int, int>> entries) {
  std::array<int, kButtonCount> widths{};
  for (auto [button, width] : entries) widths[button] = width;
  return widths;
}

TEST(MulDivRounded, RoundsHalvesAwayFromZero) {
  struct Case {
    int a, b, d, expected;
  };
  const Case cases[] = {
      {10, 7, 4, 18},
      {10, 15, 8, 19},
      {14, 15, 8, 26},
      {8, 15, 8, 15},
      {5, 1, 2, 3},
      {-10, 7, 4, -18},
      {7, -5, 2, -18},
      {7, 5, -2, -18},
      {-7, -5, 2, 18},
      {1, 3, 4, 1},
      {1, 1, 3, 0},
      {1, 1, 0, -1},
      {46341, 46341, 46341, 46341},
      {2000000000, 3, 4, 1500000000},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MulDivRounded(c.a, c.b, c.d), c.expected) << c.a << "*" << c.b << "/" << c.d;
  }
}

TEST(PixelMetrics, ConvertsDialogUnitsWithTheFontsCharacterSize) {
  const LayoutMetrics m = PixelMetrics({7, 15});
  EXPECT_EQ(m.horizontalMargin, 14);
  EXPECT_EQ(m.verticalMargin, 15);
  EXPECT_EQ(m.horizontalSpacing, 18);  // 17.5
  EXPECT_EQ(m.verticalSpacing, 19);    // 18.75
  EXPECT_EQ(m.minButtonWidth, 88);     // 87.5
  EXPECT_EQ(m.buttonHeight, 26);       // 26.25
  EXPECT_EQ(m.buttonSpacing, 7);

  const LayoutMetrics n = PixelMetrics({8, 18});
  EXPECT_EQ(n.verticalSpacing, 23);  // 22.5
  EXPECT_EQ(n.minButtonWidth, 100);
  EXPECT_EQ(n.buttonHeight, 32);  // 31.5
  EXPECT_EQ(n.buttonSpacing, 8);
}

TEST(LayoutMessageBox, InformationBoxWithOk) {
  const MessageBoxLayout l =
      LayoutMessageBox({7, 15}, 98, 15, true, ButtonBit(bnOK), Widths({{bnOK, 30}}));
  EXPECT_EQ(l.clientWidth, 176);
  EXPECT_EQ(l.clientHeight, 107);
  EXPECT_EQ(l.icon, (LayoutRect{14, 15, 32, 32}));
  EXPECT_EQ(l.text, (LayoutRect{64, 15, 98, 15}));
  EXPECT_EQ(l.buttonWidth, 88);
  EXPECT_EQ(l.buttons[bnOK], (LayoutRect{44, 66, 88, 26}));
}

TEST(LayoutMessageBox, WideTallTextGivesTheWidthAndHeight) {
  const MessageBoxLayout l =
      LayoutMessageBox({6, 13}, 500, 65, true, ButtonBit(bnOK), Widths({{bnOK, 30}}));
  EXPECT_EQ(l.clientWidth, 571);   // 500 + 15 + 32 + 2 * 12
  EXPECT_EQ(l.clientHeight, 130);  // 65 + 23 + 16 + 2 * 13
  EXPECT_EQ(l.text, (LayoutRect{59, 13, 500, 65}));
  EXPECT_EQ(l.buttons[bnOK], (LayoutRect{248, 94, 75, 23}));

  const MessageBoxLayout mirrored =
      LayoutMessageBox({6, 13}, 500, 65, true, ButtonBit(bnOK), Widths({{bnOK, 30}}), true);
  EXPECT_EQ(mirrored.text, (LayoutRect{12, 13, 500, 65}));
  EXPECT_EQ(mirrored.buttons[bnOK], l.buttons[bnOK]);
}

TEST(LayoutMessageBox, ShortTextTakesTheWidthOfTheButtonRow) {
  // No icon; the widest caption (Cancel, 110) sets every button's width.
  const MessageBoxButtons set = ButtonBit(bnYes) | ButtonBit(bnNo) | ButtonBit(bnCancel);
  const MessageBoxLayout l =
      LayoutMessageBox({8, 18}, 50, 18, false, set,
                       Widths({{bnYes, 70}, {bnNo, 80}, {bnCancel, 110}, {bnHelp, 400}}));
  EXPECT_EQ(l.buttonWidth, 110);  // Help's entry does not count: Help is absent
  EXPECT_EQ(l.rowWidth, 346);
  EXPECT_EQ(l.clientWidth, 378);
  EXPECT_EQ(l.clientHeight, 109);  // 18 + 32 + 23 + 2 * 18
  EXPECT_EQ(l.text, (LayoutRect{16, 18, 50, 18}));
  EXPECT_EQ(l.buttons[bnYes], (LayoutRect{16, 59, 110, 32}));
  EXPECT_EQ(l.buttons[bnNo], (LayoutRect{134, 59, 110, 32}));
  EXPECT_EQ(l.buttons[bnCancel], (LayoutRect{252, 59, 110, 32}));
}

TEST(LayoutMessageBox, RowStartTruncatesAnOddRemainder) {
  const MessageBoxLayout l = LayoutMessageBox({7, 15}, 185, 15, false, ButtonBit(bnOK), {});
  EXPECT_EQ(l.clientWidth, 213);
  EXPECT_EQ(l.buttons[bnOK].left, 62);  // (213 - 88) / 2 = 62.5
}

TEST(LayoutMessageBox, ButtonsKeepTableOrderAndIgnoreHighBits) {
  const MessageBoxButtons set = 0xF800 | ButtonBit(bnHelp) | ButtonBit(bnAbort) | ButtonBit(bnYes);
  const MessageBoxLayout l = LayoutMessageBox({7, 15}, 10, 15, false, set, {});
  EXPECT_EQ(l.rowWidth, 3 * 88 + 2 * 7);
  EXPECT_LT(l.buttons[bnYes].left, l.buttons[bnAbort].left);
  EXPECT_LT(l.buttons[bnAbort].left, l.buttons[bnHelp].left);
  EXPECT_EQ(l.buttons[bnHelp].left - l.buttons[bnAbort].left, 95);
}

TEST(LayoutMessageBox, NoButtonsLeaveAnEmptyRow) {
  const MessageBoxLayout l = LayoutMessageBox({7, 15}, 40, 15, false, 0, {});
  EXPECT_EQ(l.rowWidth, 0);
  EXPECT_EQ(l.clientWidth, 68);
  EXPECT_EQ(l.clientHeight, 90);  // the button row's height stays reserved
}

TEST(DefaultAndCancelButton, FollowTheChoiceOrder) {
  struct Case {
    MessageBoxButtons set;
    int defaultButton;
    int cancelButton;
  };
  const auto B = ButtonBit;
  const Case cases[] = {
      {B(bnOK), bnOK, bnOK},
      {static_cast<MessageBoxButtons>(B(bnYes) | B(bnNo) | B(bnCancel)), bnYes, bnCancel},
      {static_cast<MessageBoxButtons>(B(bnYes) | B(bnNo)), bnYes, bnNo},
      {static_cast<MessageBoxButtons>(B(bnOK) | B(bnCancel)), bnOK, bnCancel},
      {static_cast<MessageBoxButtons>(B(bnAbort) | B(bnRetry) | B(bnIgnore)), bnRetry, kNoButton},
      {static_cast<MessageBoxButtons>(B(bnRetry) | B(bnCancel)), bnRetry, bnCancel},
      {static_cast<MessageBoxButtons>(B(bnOK) | B(bnYes) | B(bnNo)), bnOK, bnNo},
      {static_cast<MessageBoxButtons>(B(bnAll) | B(bnHelp)), kNoButton, kNoButton},
      {B(bnCancel), kNoButton, bnCancel},
      {0, kNoButton, kNoButton},
      {static_cast<MessageBoxButtons>(0xF800 | B(bnOK)), bnOK, bnOK},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DefaultButton(c.set), c.defaultButton) << std::hex << c.set;
    EXPECT_EQ(CancelButton(c.set), c.cancelButton) << std::hex << c.set;
  }
}

}  // namespace
}  // namespace toridasu::ui
