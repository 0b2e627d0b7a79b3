// Building a message box: its parts, their texts and icons, and the layout
// checked against numbers worked out here from the box font's real metrics.
#include "ui/message_box.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/string_ids.h"
#include "base/string_table.h"
#include "message_box_harness.h"

namespace toridasu::ui::box_test {
namespace {

// The layout as a reader of the rules computes it for a box: font metrics in,
// client size and places out.
struct Expected {
  int hMargin, vMargin, hSpacing, vSpacing, minButton, buttonHeight, buttonSpacing;
  explicit Expected(const BoxFont& f)
      : hMargin(MulDiv(8, f.X(), 4)),
        vMargin(MulDiv(8, f.Y(), 8)),
        hSpacing(MulDiv(10, f.X(), 4)),
        vSpacing(MulDiv(10, f.Y(), 8)),
        minButton(MulDiv(50, f.X(), 4)),
        buttonHeight(MulDiv(14, f.Y(), 8)),
        buttonSpacing(MulDiv(4, f.X(), 4)) {}
};

using MessageBoxLayoutTest = MessageBoxTest;

TEST_F(MessageBoxLayoutTest, InformationBoxWithOkFollowsTheWorkedExample) {
  const std::string text = LoadResString(text_id::kConverted);
  ASSERT_EQ(text, "\x95\xCF\x8A\xB7\x82\xB5\x82\xDC\x82\xB5\x82\xBD\x81\x49");
  auto form = BuildMessageBox(text, mkInformation, ButtonBit(bnOK));
  HWND box = form->Handle();
  const BoxFont font(box);
  const Expected e(font);
  const SIZE block = font.Block(text);
  ASSERT_GT(font.X(), 0);
  ASSERT_LT(block.cy, 32);  // one line, shorter than the icon

  const int blockWidth = block.cx + e.hSpacing + 32;
  const int clientWidth = std::max(blockWidth, e.minButton) + 2 * e.hMargin;
  const int clientHeight = 32 + e.buttonHeight + e.vSpacing + 2 * e.vMargin;
  const SIZE client = ClientSize(box);
  EXPECT_EQ(client.cx, clientWidth);
  EXPECT_EQ(client.cy, clientHeight);
  EXPECT_FALSE(IsWindowVisible(box));

  const std::vector<Part> parts = PartsOf(box);
  ASSERT_EQ(parts.size(), 3u);
  const RECT icon = {e.hMargin, e.vMargin, e.hMargin + 32, e.vMargin + 32};
  const int textLeft = e.hMargin + e.hSpacing + 32;
  const RECT label = {textLeft, e.vMargin, textLeft + block.cx, e.vMargin + block.cy};
  const int okLeft = (clientWidth - e.minButton) / 2;
  const int okTop = 32 + e.vMargin + e.vSpacing;
  const RECT ok = {okLeft, okTop, okLeft + e.minButton, okTop + e.buttonHeight};
  EXPECT_TRUE(EqualRect(&parts[0].place, &icon));
  EXPECT_TRUE(EqualRect(&parts[1].place, &label));
  EXPECT_TRUE(EqualRect(&parts[2].place, &ok));
  EXPECT_EQ(parts[1].text, text);
  EXPECT_EQ(parts[2].text, "OK");
}

struct KindCase {
  MessageBoxKind kind;
  const char* title;  // Shift-JIS bytes; nullptr: the application's title
  LPCSTR icon;
};

TEST_F(MessageBoxLayoutTest, KindSetsTitleAndIcon) {
  const KindCase cases[] = {
      {mkWarning, "\x8C\x78\x8D\x90", IDI_EXCLAMATION},
      {mkError, "\x83\x47\x83\x89\x81\x5B", IDI_HAND},
      {mkInformation, "\x8F\xEE\x95\xF1", IDI_ASTERISK},
      {mkConfirmation, "\x8A\x6D\x94\x46", IDI_QUESTION},
      {mkCustom, nullptr, nullptr},
  };
  const std::string text = "Something to say.";
  for (const KindCase& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.kind));
    auto form = BuildMessageBox(text, c.kind, ButtonBit(bnOK));
    HWND box = form->Handle();
    char className[32] = {};
    GetClassNameA(box, className, sizeof className);
    EXPECT_STREQ(className, "TMessageForm");
    EXPECT_EQ(GetWindow(box, GW_OWNER), shell_.ApplicationWindow());
    EXPECT_EQ(WindowText(box), c.title != nullptr ? c.title : shell_.Title());
    const LONG style = GetWindowLongA(box, GWL_STYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX),
              WS_CAPTION | WS_SYSMENU);
    EXPECT_TRUE(GetWindowLongA(box, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
    // The system menu keeps Move and Close (Wine adds an entry of its own).
    HMENU menu = GetSystemMenu(box, FALSE);
    EXPECT_EQ(GetMenuItemID(menu, 0), static_cast<UINT>(SC_MOVE));
    EXPECT_EQ(GetMenuItemID(menu, 1), static_cast<UINT>(SC_CLOSE));
    for (UINT gone : {SC_RESTORE, SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, SC_TASKLIST}) {
      EXPECT_EQ(GetMenuState(menu, gone, MF_BYCOMMAND), static_cast<UINT>(-1)) << std::hex << gone;
    }

    const std::vector<Part> parts = PartsOf(box);
    ASSERT_EQ(parts.size(), c.icon != nullptr ? 3u : 2u);
    if (c.icon != nullptr) {
      EXPECT_EQ(parts[0].style & SS_TYPEMASK, SS_ICON);
      EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(parts[0].window, STM_GETICON, 0, 0)),
                LoadIconA(nullptr, c.icon));
    }
    const Part& label = parts[parts.size() - 2];
    EXPECT_EQ(label.text, text);
    EXPECT_EQ(label.place.left, c.icon != nullptr
                                    ? parts[0].place.right + Expected(BoxFont(box)).hSpacing
                                    : Expected(BoxFont(box)).hMargin);
    EXPECT_EQ(parts.back().text, "OK");
  }
}

TEST_F(MessageBoxLayoutTest, TextWrapsAtHalfTheScreenWidth) {
  std::string text;
  for (int i = 0; i < 40; ++i) text += "wrapping words ";
  auto form = BuildMessageBox(text, mkWarning, ButtonBit(bnOK));
  const BoxFont font(form->Handle());
  ASSERT_GT(font.Extent(text), GetSystemMetrics(SM_CXSCREEN) / 2);
  const Part label = PartsOf(form->Handle())[1];
  EXPECT_LE(Width(label.place), GetSystemMetrics(SM_CXSCREEN) / 2);
  EXPECT_GT(Width(label.place), GetSystemMetrics(SM_CXSCREEN) / 4);
  EXPECT_GE(Height(label.place), 3 * font.LineHeight());
  EXPECT_EQ(Height(label.place) % font.LineHeight(), 0);
  EXPECT_EQ(label.text, text);
  // The text is wider than the button row, so it sets the box's width.
  const Expected e(font);
  EXPECT_EQ(ClientSize(form->Handle()).cx, Width(label.place) + e.hSpacing + 32 + 2 * e.hMargin);
}

TEST_F(MessageBoxLayoutTest, ExplicitLineBreaksAreKept) {
  const std::string lines[] = {"First line", "a much longer second line", "third"};
  for (const char* breakBytes : {"\r\n", "\n"}) {
    const std::string text = lines[0] + breakBytes + lines[1] + breakBytes + lines[2];
    auto form = BuildMessageBox(text, mkInformation, ButtonBit(bnOK));
    const BoxFont font(form->Handle());
    const Part label = PartsOf(form->Handle())[1];
    EXPECT_EQ(label.text, text);
    EXPECT_EQ(Height(label.place), 3 * font.LineHeight());
    EXPECT_EQ(Width(label.place), font.Extent(lines[1]));
    // Taller than the icon: the text block gives the height.
    const Expected e(font);
    EXPECT_EQ(ClientSize(form->Handle()).cy,
              3 * font.LineHeight() + e.buttonHeight + e.vSpacing + 2 * e.vMargin);
  }
}

TEST_F(MessageBoxLayoutTest, TextTallerThanTheScreenIsNotCut) {
  std::string text;
  for (int i = 0; i < 80; ++i) text += "line\r\n";
  text += "last";
  auto form = BuildMessageBox(text, mkWarning, ButtonBit(bnOK));
  const BoxFont font(form->Handle());
  const Expected e(font);
  EXPECT_EQ(Height(PartsOf(form->Handle())[1].place), 81 * font.LineHeight());
  EXPECT_EQ(ClientSize(form->Handle()).cy,
            81 * font.LineHeight() + e.buttonHeight + e.vSpacing + 2 * e.vMargin);
  // Built centred on the screen's middle, so its top lies above the screen.
  RECT outer;
  GetWindowRect(form->Handle(), &outer);
  EXPECT_EQ(outer.top, GetSystemMetrics(SM_CYSCREEN) / 2 - Height(outer) / 2);
  EXPECT_LT(outer.top, 0);
}

struct RowCase {
  MessageBoxButtons buttons;
  std::vector<uint32_t> captions;  // string ids, in the order shown
};

TEST_F(MessageBoxLayoutTest, ButtonsShareOneWidthAndAreCentred) {
  const RowCase cases[] = {
      {ButtonSet({bnOK}), {text_id::kMsgDlgOK}},
      {ButtonSet({bnCancel, bnNo, bnYes}),
       {text_id::kMsgDlgYes, text_id::kMsgDlgNo, text_id::kMsgDlgCancel}},
      {ButtonSet({bnAbort, bnRetry, bnIgnore}),
       {text_id::kMsgDlgAbort, text_id::kMsgDlgRetry, text_id::kMsgDlgIgnore}},
      {ButtonSet({bnNoToAll, bnYesToAll}), {text_id::kMsgDlgNoToAll, text_id::kMsgDlgYesToAll}},
      {ButtonSet({bnHelp, bnAll}), {text_id::kMsgDlgAll, text_id::kMsgDlgHelp}},
      {0x07FF,
       {text_id::kMsgDlgYes, text_id::kMsgDlgNo, text_id::kMsgDlgOK, text_id::kMsgDlgCancel,
        text_id::kMsgDlgAbort, text_id::kMsgDlgRetry, text_id::kMsgDlgIgnore, text_id::kMsgDlgAll,
        text_id::kMsgDlgNoToAll, text_id::kMsgDlgYesToAll, text_id::kMsgDlgHelp}},
  };
  for (const RowCase& c : cases) {
    SCOPED_TRACE(c.buttons);
    ButtonWidthCache().fill(0);
    auto form = BuildMessageBox("A", mkConfirmation, c.buttons);
    HWND box = form->Handle();
    const BoxFont font(box);
    const Expected e(font);
    int width = e.minButton;
    for (uint32_t id : c.captions) width = std::max(width, font.Caption(LoadResString(id)) + 8);
    const int n = static_cast<int>(c.captions.size());
    const int row = n * width + (n - 1) * e.buttonSpacing;
    const SIZE client = ClientSize(box);
    // A one-letter text: the row gives the width once it is wider.
    EXPECT_EQ(client.cx, std::max<int>(row, font.Block("A").cx + e.hSpacing + 32) + 2 * e.hMargin);

    const std::vector<Part> buttons = ButtonsOf(box);
    ASSERT_EQ(buttons.size(), c.captions.size());
    int left = (client.cx - row) / 2;
    for (int i = 0; i < n; ++i) {
      EXPECT_EQ(buttons[i].text, LoadResString(c.captions[i]));
      EXPECT_EQ(buttons[i].place.left, left);
      EXPECT_EQ(buttons[i].place.top, 32 + e.vMargin + e.vSpacing);
      EXPECT_EQ(Width(buttons[i].place), width);
      EXPECT_EQ(Height(buttons[i].place), e.buttonHeight);
      left += width + e.buttonSpacing;
    }
  }
}

TEST_F(MessageBoxLayoutTest, CacheKeepsEachButtonsFirstMeasuredWidth) {
  std::array<int, kButtonCount>& cache = ButtonWidthCache();
  auto first = BuildMessageBox("A", mkWarning, ButtonSet({bnYes, bnNo}));
  const BoxFont font(first->Handle());
  const int yes = font.Caption(LoadResString(text_id::kMsgDlgYes)) + 8;
  const int no = font.Caption(LoadResString(text_id::kMsgDlgNo)) + 8;
  EXPECT_EQ(cache[bnYes], yes);
  EXPECT_EQ(cache[bnNo], no);
  EXPECT_EQ(cache[bnOK], 0);

  auto second = BuildMessageBox("B", mkWarning, ButtonSet({bnOK}));
  EXPECT_EQ(cache[bnOK], font.Caption("OK") + 8);
  EXPECT_EQ(cache[bnYes], yes);
  EXPECT_EQ(cache[bnNo], no);

  // A stored width is used as it stands, not measured again.
  cache[bnOK] = 300;
  auto third = BuildMessageBox("C", mkWarning, ButtonSet({bnOK}));
  EXPECT_EQ(Width(ButtonsOf(third->Handle())[0].place), 300);
  EXPECT_EQ(cache[bnOK], 300);

  // Only the buttons present count.
  cache[bnOK] = 0;
  cache[bnHelp] = 400;
  auto fourth = BuildMessageBox("D", mkWarning, ButtonSet({bnOK}));
  EXPECT_EQ(Width(ButtonsOf(fourth->Handle())[0].place), Expected(font).minButton);
}

struct RoleCase {
  MessageBoxButtons buttons;
  const char* defaultCaption;  // nullptr: no default button
};

TEST_F(MessageBoxLayoutTest, DefaultButtonIsMarked) {
  const RoleCase cases[] = {
      {ButtonSet({bnOK}), "OK"},
      {ButtonSet({bnOK, bnCancel}), "OK"},
      {ButtonSet({bnYes, bnNo, bnCancel}), "\x82\xCD\x82\xA2\x28\x26\x59\x29"},
      {ButtonSet({bnYes, bnNo}), "\x82\xCD\x82\xA2\x28\x26\x59\x29"},
      {ButtonSet({bnAbort, bnRetry, bnIgnore}), nullptr},  // Retry, below
      {ButtonSet({bnAll, bnNoToAll}), nullptr},
  };
  for (const RoleCase& c : cases) {
    SCOPED_TRACE(c.buttons);
    auto form = BuildMessageBox("A", mkConfirmation, c.buttons);
    std::string expected = c.defaultCaption != nullptr ? c.defaultCaption : "";
    if (HasButton(c.buttons, bnRetry)) expected = LoadResString(text_id::kMsgDlgRetry);
    for (const Part& button : ButtonsOf(form->Handle())) {
      const bool isDefault = (button.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
      EXPECT_EQ(isDefault, button.text == expected) << button.text;
      EXPECT_TRUE(button.style & WS_TABSTOP);
    }
  }
}

}  // namespace
}  // namespace toridasu::ui::box_test
