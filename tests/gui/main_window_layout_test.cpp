// The main window as the platform sees it: frame, styles, class, position
// and size, system menu, and every control's class, rectangle, styles,
// text (as bytes), font and colours. Sizes that follow the font are
// computed from the real metrics of the font the platform gives.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "app/application.h"
#include "main_window_support.h"
#include "ui/file_chooser.h"

namespace toridasu::test {
namespace {

// Texts in Shift-JIS.
const std::string kFontName =  // ＭＳ Ｐゴシック
    "\x82\x6C\x82\x72\x20\x82\x6F\x83\x53\x83\x56\x83\x62\x83\x4E";
const std::string
    kLabel1 =  // このツールは、ＤＸＦファイル内の文字データの座標をＣＳＶファイルにします。
    "\x82\xB1\x82\xCC\x83\x63\x81\x5B\x83\x8B\x82\xCD\x81\x41\x82\x63\x82\x77\x82\x65\x83\x74"
    "\x83\x40\x83\x43\x83\x8B\x93\xE0\x82\xCC\x95\xB6\x8E\x9A\x83\x66\x81\x5B\x83\x5E\x82\xCC"
    "\x8D\xC0\x95\x57\x82\xF0\x82\x62\x82\x72\x82\x75\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xC9"
    "\x82\xB5\x82\xDC\x82\xB7\x81\x42";
const std::string kBrowse = "\x8E\x51\x8F\xC6";                // 参照
const std::string kConvert = "\x95\xCF\x8A\xB7\x81\xAB";       // 変換↓
const std::string kExit = "\x8F\x49\x97\xB9\x28\x26\x58\x29";  // 終了(&X)
const std::vector<std::string> kMemoLines = {
    // 属性文字、マルチテキスト、寸法図形、複合（ブロック）図形、等には対応して
    "\x91\xAE\x90\xAB\x95\xB6\x8E\x9A\x81\x41\x83\x7D\x83\x8B\x83\x60\x83\x65\x83\x4C\x83\x58"
    "\x83\x67\x81\x41\x90\xA1\x96\x40\x90\x7D\x8C\x60\x81\x41\x95\xA1\x8D\x87\x81\x69\x83\x75"
    "\x83\x8D\x83\x62\x83\x4E\x81\x6A\x90\x7D\x8C\x60\x81\x41\x93\x99\x82\xC9\x82\xCD\x91\xCE"
    "\x89\x9E\x82\xB5\x82\xC4",
    // いません。
    "\x82\xA2\x82\xDC\x82\xB9\x82\xF1\x81\x42",
    // 必要な複合（ブロック）図形は分解して、Ｒ１２形式ＤＸＦとして出力したものを
    "\x95\x4B\x97\x76\x82\xC8\x95\xA1\x8D\x87\x81\x69\x83\x75\x83\x8D\x83\x62\x83\x4E\x81\x6A"
    "\x90\x7D\x8C\x60\x82\xCD\x95\xAA\x89\xF0\x82\xB5\x82\xC4\x81\x41\x82\x71\x82\x50\x82\x51"
    "\x8C\x60\x8E\xAE\x82\x63\x82\x77\x82\x65\x82\xC6\x82\xB5\x82\xC4\x8F\x6F\x97\xCD\x82\xB5"
    "\x82\xBD\x82\xE0\x82\xCC\x82\xF0",
    // 利用して下さい。文字のX,Y座標は、ＤＸＦのグループ10,20のデータを出力し
    "\x97\x98\x97\x70\x82\xB5\x82\xC4\x89\xBA\x82\xB3\x82\xA2\x81\x42\x95\xB6\x8E\x9A\x82\xCC"
    "\x58\x2C\x59\x8D\xC0\x95\x57\x82\xCD\x81\x41\x82\x63\x82\x77\x82\x65\x82\xCC\x83\x4F\x83"
    "\x8B\x81\x5B\x83\x76\x31\x30\x2C\x32\x30\x82\xCC\x83\x66\x81\x5B\x83\x5E\x82\xF0\x8F\x6F"
    "\x97\xCD\x82\xB5",
    // ます。中央等の位置合わせの要素でも左下の位置となりますのでご注意下
    "\x82\xDC\x82\xB7\x81\x42\x92\x86\x89\x9B\x93\x99\x82\xCC\x88\xCA\x92\x75\x8D\x87\x82\xED"
    "\x82\xB9\x82\xCC\x97\x76\x91\x66\x82\xC5\x82\xE0\x8D\xB6\x89\xBA\x82\xCC\x88\xCA\x92\x75"
    "\x82\xC6\x82\xC8\x82\xE8\x82\xDC\x82\xB7\x82\xCC\x82\xC5\x82\xB2\x92\x8D\x88\xD3\x89\xBA",
    // さい。
    "\x82\xB3\x82\xA2\x81\x42",
};

std::string WindowText(HWND window) {
  char text[1024] = {};
  const int length = GetWindowTextA(window, text, sizeof text);
  return std::string(text, static_cast<std::size_t>(length));
}

std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

// A control's rectangle in its form's client coordinates.
RECT ClientRectOf(HWND control) {
  RECT rect;
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

// The font the layout names, made here independently of the program.
HFONT MakeLayoutFont(bool bold) {
  return CreateFontA(-17, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                     SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH, kFontName.c_str());
}

// Width and height of one line of `text` in the layout's font.
SIZE TextExtent(const std::string& text, bool bold) {
  HFONT font = MakeLayoutFont(bold);
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  RECT bounds{0, 0, 0, 0};
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &bounds, DT_CALCRECT | DT_EXPANDTABS);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  DeleteObject(font);
  return {bounds.right, bounds.bottom};
}

int FontHeight() {
  HFONT font = MakeLayoutFont(false);
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  DeleteObject(font);
  return metrics.tmHeight;
}

using MainWindowLayout = MainWindowTest;

TEST_F(MainWindowLayout, FrameIsAFixedDialogOwnedByTheApplicationWindow) {
  HWND form = Form().Handle();
  EXPECT_EQ(ClassOf(form), "TForm1");
  EXPECT_EQ(WindowText(form), "TORIDASU");
  const DWORD style = static_cast<DWORD>(GetWindowLongA(form, GWL_STYLE));
  EXPECT_EQ(style & ~(WS_VISIBLE | WS_CLIPSIBLINGS), WS_POPUP | WS_CAPTION | WS_SYSMENU);
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(form, GWL_EXSTYLE)) & ~WS_EX_CONTROLPARENT,
            static_cast<DWORD>(WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE));
  EXPECT_EQ(static_cast<UINT>(GetClassLongA(form, GCL_STYLE)),
            static_cast<UINT>(CS_DBLCLKS | CS_SAVEBITS | CS_BYTEALIGNWINDOW));
  EXPECT_EQ(GetWindow(form, GW_OWNER), app::Application->Handle());
  EXPECT_EQ(SendMessageA(form, WM_GETICON, ICON_BIG, 0), 0);
  EXPECT_FALSE(IsZoomed(form));
  EXPECT_FALSE(IsIconic(form));

  RECT outer;
  GetWindowRect(form, &outer);
  EXPECT_EQ(outer.left, 192);
  EXPECT_EQ(outer.top, 118);
  RECT client;
  GetClientRect(form, &client);
  EXPECT_EQ(client.right, 562);
  EXPECT_EQ(client.bottom, 358);
  // The outer size is the client area plus the platform's dialog frame.
  RECT expected{0, 0, 562, 358};
  AdjustWindowRectEx(&expected, WS_POPUP | WS_CAPTION | WS_SYSMENU, FALSE,
                     WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE);
  EXPECT_EQ(outer.right - outer.left, expected.right - expected.left);
  EXPECT_EQ(outer.bottom - outer.top, expected.bottom - expected.top);
}

TEST_F(MainWindowLayout, SystemMenuOffersMoveAndCloseOnly) {
  HMENU menu = GetSystemMenu(Form().Handle(), FALSE);
  ASSERT_NE(menu, nullptr);
  // Of the platform's standard entries only these remain, and no separator;
  // Wine adds an entry of its own (About Wine) that Windows does not have.
  const UINT kStandard[] = {SC_RESTORE,  SC_MOVE,  SC_SIZE,     SC_MINIMIZE,
                            SC_MAXIMIZE, SC_CLOSE, SC_TASKLIST, 0 /* separator */};
  std::vector<UINT> commands;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    const UINT command = GetMenuItemID(menu, i);
    if (std::find(std::begin(kStandard), std::end(kStandard), command) != std::end(kStandard)) {
      commands.push_back(command);
    }
  }
  EXPECT_EQ(commands, (std::vector<UINT>{SC_MOVE, SC_CLOSE}));
}

TEST_F(MainWindowLayout, BackgroundIsTheButtonFaceColour) {
  EXPECT_EQ(Form().Color(), ui::clBtnFace);
  HDC dc = GetDC(Form().Handle());
  SendMessageA(Form().Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  EXPECT_EQ(GetPixel(dc, 300, 160), GetSysColor(COLOR_BTNFACE));
  ReleaseDC(Form().Handle(), dc);
}

struct ControlCase {
  const char* name;
  const char* className;
  int left, top, width, height;  // width or height 0: follows the font
  DWORD style;                   // besides WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS
  DWORD exStyle;
  bool bold;
};

const ControlCase kControls[] = {
    {"Label1", "Static", 8, 8, 0, 0, SS_LEFTNOWORDWRAP, 0, false},
    {"Label2", "Static", 416, 48, 0, 0, SS_LEFTNOWORDWRAP, 0, true},
    {"Label3", "Static", 416, 128, 0, 0, SS_LEFTNOWORDWRAP, 0, true},
    {"Edit1", "Edit", 8, 40, 401, 0, WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE,
     false},
    {"Memo1", "Edit", 8, 176, 545, 137, ES_LEFT | ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY,
     WS_EX_CLIENTEDGE, false},
    {"Button1", "Button", 464, 40, 89, 25, WS_TABSTOP | BS_PUSHBUTTON, 0, false},
    {"Button2", "Button", 224, 72, 113, 41, WS_TABSTOP | BS_PUSHBUTTON, 0, false},
    {"Edit2", "Edit", 8, 120, 401, 0, WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE,
     false},
    {"Button3", "Button", 464, 120, 89, 25, WS_TABSTOP | BS_PUSHBUTTON, 0, false},
    {"Button4", "Button", 224, 320, 113, 33, WS_TABSTOP | BS_PUSHBUTTON, 0, false},
};

TEST_F(MainWindowLayout, ControlsStandInCreationOrderWithTheirRectanglesStylesAndFonts) {
  // Nothing has the focus, so no button is drawn as the one Enter clicks.
  SetFocus(nullptr);
  std::vector<HWND> children;
  for (HWND child = GetWindow(Form().Handle(), GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    children.push_back(child);
  }
  ASSERT_EQ(children.size(), std::size(kControls));
  const int editHeight = FontHeight() + 8 * GetSystemMetrics(SM_CYBORDER);
  for (std::size_t i = 0; i < children.size(); ++i) {
    const ControlCase& expected = kControls[i];
    SCOPED_TRACE(expected.name);
    HWND child = children[i];
    auto* control = dynamic_cast<ui::TWinControl*>(Form().FindComponent(expected.name));
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->Handle(), child);
    EXPECT_EQ(ClassOf(child), expected.className);

    int width = expected.width;
    int height = expected.height;
    if (width == 0) {  // a label: its caption's extent
      const SIZE extent = TextExtent(WindowText(child), expected.bold);
      width = extent.cx;
      height = extent.cy;
    } else if (height == 0) {  // an edit field: its font's height and border
      height = editHeight;
    }
    const RECT rect = ClientRectOf(child);
    EXPECT_EQ(rect.left, expected.left);
    EXPECT_EQ(rect.top, expected.top);
    EXPECT_EQ(rect.right - rect.left, width);
    EXPECT_EQ(rect.bottom - rect.top, height);

    const DWORD style = static_cast<DWORD>(GetWindowLongA(child, GWL_STYLE));
    EXPECT_EQ(style & 0xFFFF0000u & ~static_cast<DWORD>(WS_GROUP),
              (WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | expected.style) & 0xFFFF0000u);
    EXPECT_EQ(style & 0xFFFFu, expected.style & 0xFFFFu);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(child, GWL_EXSTYLE)) &
                  ~static_cast<DWORD>(WS_EX_NOPARENTNOTIFY),
              expected.exStyle);

    LOGFONTA font{};
    HGDIOBJ handle = reinterpret_cast<HGDIOBJ>(SendMessageA(child, WM_GETFONT, 0, 0));
    ASSERT_EQ(GetObjectA(handle, sizeof font, &font), static_cast<int>(sizeof font));
    EXPECT_EQ(font.lfHeight, -17);
    EXPECT_EQ(font.lfCharSet, SHIFTJIS_CHARSET);
    EXPECT_EQ(font.lfWeight, expected.bold ? FW_BOLD : FW_NORMAL);
    EXPECT_FALSE(font.lfItalic || font.lfUnderline || font.lfStrikeOut);
    EXPECT_EQ(std::string(font.lfFaceName), kFontName);
  }
}

TEST_F(MainWindowLayout, TextsAreTheLayoutsShiftJisBytes) {
  struct TextCase {
    HWND window;
    std::string text;
  };
  std::string memo;
  for (const std::string& line : kMemoLines) {
    if (!memo.empty()) memo += "\r\n";  // between lines, none after the last
    memo += line;
  }
  const TextCase cases[] = {
      {Form().Label1->Handle(), kLabel1},   {Form().Label2->Handle(), ".DXF"},
      {Form().Label3->Handle(), ".CSV"},    {Form().Edit1->Handle(), ""},
      {Form().Memo1->Handle(), memo},       {Form().Button1->Handle(), kBrowse},
      {Form().Button2->Handle(), kConvert}, {Form().Edit2->Handle(), ""},
      {Form().Button3->Handle(), kBrowse},  {Form().Button4->Handle(), kExit},
  };
  for (const TextCase& c : cases) {
    EXPECT_EQ(WindowText(c.window), c.text) << ClassOf(c.window);
  }
}

TEST_F(MainWindowLayout, FieldsAndMemoHaveTheWindowColourLabelsTheFormsColour) {
  struct ColourCase {
    HWND control;
    UINT request;  // what the platform control asks its parent
    int systemColour;
  };
  const ColourCase cases[] = {
      {Form().Edit1->Handle(), WM_CTLCOLOREDIT, COLOR_WINDOW},
      {Form().Edit2->Handle(), WM_CTLCOLOREDIT, COLOR_WINDOW},
      {Form().Memo1->Handle(), WM_CTLCOLORSTATIC, COLOR_WINDOW},  // read-only
      {Form().Label1->Handle(), WM_CTLCOLORSTATIC, COLOR_BTNFACE},
      {Form().Label2->Handle(), WM_CTLCOLORSTATIC, COLOR_BTNFACE},
  };
  HDC dc = GetDC(Form().Handle());
  for (const ColourCase& c : cases) {
    SCOPED_TRACE(ClassOf(c.control));
    const LRESULT brush = SendMessageA(Form().Handle(), c.request, reinterpret_cast<WPARAM>(dc),
                                       reinterpret_cast<LPARAM>(c.control));
    EXPECT_EQ(reinterpret_cast<HBRUSH>(brush), GetSysColorBrush(c.systemColour));
    EXPECT_EQ(GetBkColor(dc), GetSysColor(c.systemColour));
    EXPECT_EQ(GetTextColor(dc), GetSysColor(COLOR_WINDOWTEXT));
  }
  ReleaseDC(Form().Handle(), dc);
}

TEST_F(MainWindowLayout, TabOrderListsTheFocusableControls) {
  std::vector<std::string> names;
  std::vector<bool> tabStops;
  for (ui::TWinControl* control : Form().TabOrderList()) {
    names.push_back(control->Name());
    tabStops.push_back((GetWindowLongA(control->Handle(), GWL_STYLE) & WS_TABSTOP) != 0);
  }
  EXPECT_EQ(names, (std::vector<std::string>{"Edit1", "Button1", "Button2", "Edit2", "Button3",
                                             "Memo1", "Button4"}));
  EXPECT_EQ(tabStops, (std::vector<bool>{true, true, true, true, true, false, true}));
}

TEST_F(MainWindowLayout, ChoosersCarryTheirFiltersExtensionsAndOptions) {
  EXPECT_EQ(Form().OpenDialog1->DefaultExt(), "dxf");
  EXPECT_EQ(Form().OpenDialog1->Filter(), "DXF Files(*.dxf)|*.dxf");
  EXPECT_EQ(Form().OpenDialog1->FilterIndex(), 1);
  EXPECT_EQ(Form().OpenDialog1->Options(),
            (ui::TOpenOptions{ui::ofHideReadOnly, ui::ofPathMustExist, ui::ofFileMustExist,
                              ui::ofEnableSizing}));
  EXPECT_EQ(Form().SaveDialog1->DefaultExt(), "csv");
  EXPECT_EQ(Form().SaveDialog1->Filter(), "CSV Files(*.csv)|*.csv");
  EXPECT_EQ(Form().SaveDialog1->Options(),
            (ui::TOpenOptions{ui::ofOverwritePrompt, ui::ofHideReadOnly, ui::ofEnableSizing}));
  EXPECT_EQ(&Form().SourceChooser(), Form().OpenDialog1);
  EXPECT_EQ(&Form().DestinationChooser(), Form().SaveDialog1);
}

}  // namespace
}  // namespace toridasu::test
