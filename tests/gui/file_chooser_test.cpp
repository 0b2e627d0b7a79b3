// The file choosers: the request they hand to the platform, what they read
// back, how a run treats the program's windows, and real runs of the
// platform's dialogs closed by the test.
#include "ui/file_chooser.h"

#include <windows.h>
#include <commdlg.h>
#include <dlgs.h>
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "files/file_names.h"
#include "platform/platform.h"
#include "ui/shell.h"

namespace toridasu::ui {
namespace {

static_assert(sizeof(void*) == 4, "the request layout below is the 32-bit one");

uint16_t FpuControl() {
  uint16_t word = 0;
  __asm__ __volatile__("fnstcw %0" : "=m"(word));
  return word;
}

void SetFpuControl(uint16_t word) {
  __asm__ __volatile__("fnclex\n\tfldcw %0" : : "m"(word));
}

HWND MakeWindow(DWORD style, HWND parent, int x, int y, int width, int height) {
  static const ATOM atom = [] {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "ToridasuChooserTest";
    return RegisterClassA(&windowClass);
  }();
  (void)atom;
  return CreateWindowExA(0, "ToridasuChooserTest", "", style, x, y, width, height, parent,
                         nullptr, GetModuleHandleA(nullptr), nullptr);
}

void Pump() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

// The shell as the choosers see it, with a hidden owner and a visible main
// form; it records the hooks and which windows it disabled.
class TestShell : public Shell {
 public:
  TestShell() {
    owner_ = MakeWindow(WS_POPUP, nullptr, 0, 0, 0, 0);
    mainForm_ = MakeWindow(WS_POPUP | WS_VISIBLE | WS_CAPTION, nullptr, 40, 30, 300, 200);
    Pump();
  }
  ~TestShell() override {
    DestroyWindow(mainForm_);
    DestroyWindow(owner_);
  }
  HWND ApplicationWindow() const override { return owner_; }
  HINSTANCE Instance() const override { return GetModuleHandleA(nullptr); }
  HMODULE ResourceModule() const override { return GetModuleHandleA(nullptr); }
  std::string Title() const override { return "toridasu"; }
  HWND MainFormWindow() const override { return mainForm_; }
  int ApplicationMessageBox(const std::string&, const std::string&, UINT) override { return 0; }
  void AddWindowHook(WindowHook hook, void* context) override {
    hooks.push_back({hook, context});
    log.push_back("hook");
  }
  void RemoveWindowHook(WindowHook hook, void* context) override {
    std::erase_if(hooks, [&](const Hook& h) { return h.hook == hook && h.context == context; });
    log.push_back("unhook");
  }
  std::vector<HWND> DisableTaskWindows(HWND) override {
    log.push_back("disable");
    EnableWindow(mainForm_, FALSE);
    return {mainForm_};
  }
  void EnableTaskWindows(const std::vector<HWND>& windows) override {
    log.push_back("enable");
    for (HWND window : windows) EnableWindow(window, TRUE);
  }
  void ReportHandlerError(const void*) override { ++reportedErrors; }

  // Offers a message to the installed hooks as ApplicationWindow would.
  bool OfferToHooks(UINT message) {
    LRESULT result = 0;
    for (const Hook& h : hooks) {
      if (h.hook(h.context, message, 0, 0, &result)) return true;
    }
    return false;
  }

  struct Hook {
    WindowHook hook;
    void* context;
  };
  std::vector<Hook> hooks;
  std::vector<std::string> log;
  int reportedErrors = 0;
  HWND owner_;
  HWND mainForm_;
};

// What the recording platform call saw, and how it answers.
struct Recorded {
  std::string function;
  std::vector<uint8_t> raw;  // the request's first lStructSize bytes
  std::string filter;        // through the two closing zeros
  std::string nameBuffer;    // all nMaxFile bytes
  std::string initialDir, title;
  const char* defaultExt = nullptr;
  std::string defaultExtText;
  bool mainFormEnabled = true;
  bool helpAnswered = false, otherMessageAnswered = false;
};
struct Reply {
  BOOL result = FALSE;
  std::string chosen;
  DWORD flagsOut = 0;  // replaces the request's flags when non-zero
  DWORD filterIndex = 0;
  std::function<void(OPENFILENAMEA&)> during;
};
Recorded recorded;
Reply reply;
TestShell* shell = nullptr;

std::string ZeroTerminated(const char* text) {
  return text == nullptr ? std::string("<null>") : std::string(text);
}

BOOL Record(const char* function, OPENFILENAMEA* request) {
  recorded.function = function;
  const auto* bytes = reinterpret_cast<const uint8_t*>(request);
  recorded.raw.assign(bytes, bytes + request->lStructSize);
  const char* filter = request->lpstrFilter;
  std::size_t length = 0;
  while (filter[length] != '\0' || filter[length + 1] != '\0') ++length;
  recorded.filter.assign(filter, length + 2);
  recorded.nameBuffer.assign(request->lpstrFile, request->nMaxFile);
  recorded.initialDir = ZeroTerminated(request->lpstrInitialDir);
  recorded.title = ZeroTerminated(request->lpstrTitle);
  recorded.defaultExt = request->lpstrDefExt;
  recorded.defaultExtText = ZeroTerminated(request->lpstrDefExt);
  recorded.mainFormEnabled = IsWindowEnabled(shell->mainForm_);
  recorded.helpAnswered = shell->OfferToHooks(RegisterWindowMessageA("commdlg_help"));
  recorded.otherMessageAnswered = shell->OfferToHooks(WM_USER + 1);
  shell->log.push_back("call");
  if (reply.during) reply.during(*request);
  if (!reply.result) return FALSE;
  std::strcpy(request->lpstrFile, reply.chosen.c_str());
  if (reply.flagsOut != 0) request->Flags = reply.flagsOut;
  if (reply.filterIndex != 0) request->nFilterIndex = reply.filterIndex;
  return TRUE;
}
BOOL WINAPI RecordOpen(OPENFILENAMEA* request) { return Record("open", request); }
BOOL WINAPI RecordSave(OPENFILENAMEA* request) { return Record("save", request); }

uint32_t Field(const std::vector<uint8_t>& raw, std::size_t offset) {
  uint32_t value = 0;
  std::memcpy(&value, raw.data() + offset, 4);
  return value;
}

// The two choosers as the main window's layout sets them up.
void SetUpAsOpenDialog1(TOpenDialog& chooser) {
  chooser.SetDefaultExt("dxf");
  chooser.SetFilter("DXF Files(*.dxf)|*.dxf");
  chooser.SetOptions({ofHideReadOnly, ofPathMustExist, ofFileMustExist, ofEnableSizing});
}
void SetUpAsSaveDialog1(TOpenDialog& chooser) {
  chooser.SetDefaultExt("csv");
  chooser.SetFilter("CSV Files(*.csv)|*.csv");
  chooser.SetOptions({ofOverwritePrompt, ofHideReadOnly, ofEnableSizing});
}

class FileChooser : public ::testing::Test {
 protected:
  void SetUp() override {
    RefreshLeadByteSet(CurrentPlatform());
    savedFpu_ = FpuControl();
    shell = &shell_;
    SetShell(&shell_);
    recorded = Recorded{};
    reply = Reply{};
    SetFileDialogFunctionsForTesting(&RecordOpen, &RecordSave);
  }
  void TearDown() override {
    SetFileDialogFunctionsForTesting(nullptr, nullptr);
    SetShell(nullptr);
    shell = nullptr;
    SetFpuControl(savedFpu_);
  }
  TestShell shell_;
  uint16_t savedFpu_ = 0;
};

TEST_F(FileChooser, RequestOfEachChooserAsThePlatformGetsIt) {
  struct Case {
    const char* name;
    bool save;
    void (*setUp)(TOpenDialog&);
    const char* function;
    uint32_t flags;
    std::string filter;
    std::string defaultExt;
  };
  const Case cases[] = {
      {"OpenDialog1", false, &SetUpAsOpenDialog1, "open", 0x00881824,
       std::string("DXF Files(*.dxf)\0*.dxf\0\0", 24), "dxf"},
      {"SaveDialog1", true, &SetUpAsSaveDialog1, "save", 0x00880026,
       std::string("CSV Files(*.csv)\0*.csv\0\0", 24), "csv"},
      {"no layout", false, [](TOpenDialog&) {}, "open", 0x00880024, std::string(1, '\0') + '\0',
       "<null>"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TOpenDialog open;
    TSaveDialog save;
    TOpenDialog& chooser = c.save ? save : open;
    c.setUp(chooser);
    chooser.SetFileName("plan");
    chooser.SetInitialDir("C:\\dwg\\");
    EXPECT_FALSE(chooser.Execute());

    EXPECT_EQ(recorded.function, c.function);
    ASSERT_EQ(recorded.raw.size(), 76u);
    // Offsets of the 76-byte request on a 32-bit platform.
    EXPECT_EQ(Field(recorded.raw, 0), 76u);
    EXPECT_EQ(Field(recorded.raw, 4), reinterpret_cast<uint32_t>(shell_.owner_));
    EXPECT_EQ(Field(recorded.raw, 8), reinterpret_cast<uint32_t>(GetModuleHandleA(nullptr)));
    EXPECT_NE(Field(recorded.raw, 12), 0u);  // filter
    EXPECT_EQ(Field(recorded.raw, 16), 0u);  // no custom filter
    EXPECT_EQ(Field(recorded.raw, 20), 0u);
    EXPECT_EQ(Field(recorded.raw, 24), 1u);    // filter index
    EXPECT_NE(Field(recorded.raw, 28), 0u);    // name buffer
    EXPECT_EQ(Field(recorded.raw, 32), 260u);  // its size
    EXPECT_EQ(Field(recorded.raw, 36), 0u);    // no file-title buffer
    EXPECT_EQ(Field(recorded.raw, 40), 0u);
    EXPECT_NE(Field(recorded.raw, 44), 0u);  // initial directory, even when empty
    EXPECT_NE(Field(recorded.raw, 48), 0u);  // title, even when empty
    EXPECT_EQ(Field(recorded.raw, 52), c.flags);
    EXPECT_EQ(Field(recorded.raw, 56), 0u);  // name offsets are the platform's to fill
    EXPECT_EQ(Field(recorded.raw, 64), 0u);  // no custom data
    EXPECT_NE(Field(recorded.raw, 68), 0u);  // hook
    EXPECT_EQ(Field(recorded.raw, 72), 0u);  // no template

    EXPECT_EQ(recorded.filter, c.filter);
    EXPECT_EQ(recorded.nameBuffer, "plan" + std::string(256, '\0'));
    EXPECT_EQ(recorded.initialDir, "C:\\dwg");
    EXPECT_EQ(recorded.title, "");
    EXPECT_EQ(recorded.defaultExtText, c.defaultExt);
  }
}

TEST_F(FileChooser, FilterBarsSeparateOnlyWhenTheyStandAlone) {
  struct Case {
    std::string filter;
    std::string expected;
  };
  const Case cases[] = {
      // ポ is 83 7C: its second byte is no separator.
      {"\x83\x7C|*.p\x83\x7C", std::string("\x83\x7C\0*.p\x83\x7C\0\0", 9)},
      {"A|*.a|B|*.b", std::string("A\0*.a\0B\0*.b\0\0", 14)},
      {"", std::string(2, '\0')},
  };
  for (const Case& c : cases) {
    TOpenDialog chooser;
    chooser.SetFilter(c.filter);
    chooser.Execute();
    EXPECT_EQ(recorded.filter, c.expected) << c.filter;
  }
}

TEST_F(FileChooser, NameBufferTakesAtMostItsSize) {
  TOpenDialog chooser;
  chooser.SetFileName(std::string(300, 'a'));
  chooser.Execute();
  EXPECT_EQ(recorded.nameBuffer, std::string(260, 'a'));

  chooser.SetOptions({ofAllowMultiSelect});
  chooser.SetFileName("plan");
  chooser.Execute();
  EXPECT_EQ(Field(recorded.raw, 32), 65519u);
  EXPECT_EQ(recorded.nameBuffer, "plan" + std::string(65515, '\0'));
}

TEST_F(FileChooser, InitialDirDropsOneTrailingBackslash) {
  const std::pair<std::string, std::string> cases[] = {
      {"C:\\dwg\\", "C:\\dwg"},
      {"C:\\dwg\\\\", "C:\\dwg\\"},
      {"C:\\", "C:\\"},
      {"\\", "\\"},
      {"", ""},
      {"C:\\dwg", "C:\\dwg"},
      {"C:\\\x83\x5C", "C:\\\x83\x5C"},  // ソ ends in 5C: no backslash to drop
      {"C:\\\x83\x5C\\", "C:\\\x83\x5C"},
      {"\x83:\\", "\x83:"},  // that colon is the second byte of a character
  };
  for (const auto& [set, stored] : cases) {
    TOpenDialog chooser;
    chooser.SetInitialDir(set);
    EXPECT_EQ(chooser.InitialDir(), stored) << set;
  }
}
