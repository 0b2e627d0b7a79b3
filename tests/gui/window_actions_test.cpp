// The main window's actions: the checks and messages of the convert button
// (with real drawings in a temporary folder), the two browse buttons with
// choosers that the test answers, and the exit button.
#include "ui/window_actions.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "base/errors.h"
#include "base/lead_bytes.h"
#include "engine/conversion_context.h"
#include "platform/platform.h"
#include "ui/actions_host.h"
#include "ui/file_chooser.h"

namespace toridasu::ui {
namespace {

// The action messages in Shift-JIS.
const std::string kSourceMissingText =  // 変換元DXFファイルを指定して下さい
    "\x95\xCF\x8A\xB7\x8C\xB3\x44\x58\x46\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xF0\x8E\x77\x92\xE8"
    "\x82\xB5\x82\xC4\x89\xBA\x82\xB3\x82\xA2";
const std::string kDestinationMissingText =  // 変換先CSVファイルを指定して下さい
    "\x95\xCF\x8A\xB7\x90\xE6\x43\x53\x56\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xF0\x8E\x77\x92\xE8"
    "\x82\xB5\x82\xC4\x89\xBA\x82\xB3\x82\xA2";
const std::string kSourceNotFound =  // 指定したDXFファイルが存在しません
    "\x8E\x77\x92\xE8\x82\xB5\x82\xBD\x44\x58\x46\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xAA\x91\xB6"
    "\x8D\xDD\x82\xB5\x82\xDC\x82\xB9\x82\xF1";
const std::string kConverted =  // 変換しました！
    "\x95\xCF\x8A\xB7\x82\xB5\x82\xDC\x82\xB5\x82\xBD\x81\x49";
const std::string kNotConverted =  // 変換出来ませんでした！
    "\x95\xCF\x8A\xB7\x8F\x6F\x97\x88\x82\xDC\x82\xB9\x82\xF1\x82\xC5\x82\xB5\x82\xBD\x81\x49";

// One TEXT entity at (12.5, -3, 0) reading ABC, and its CSV file.
const std::string kDrawing =
    "0\r\nSECTION\r\n2\r\nENTITIES\r\n0\r\nTEXT\r\n10\r\n12.5\r\n20\r\n-3\r\n30\r\n0\r\n"
    "1\r\nABC\r\n0\r\nENDSEC\r\n0\r\nEOF\r\n";
const std::string kCsv =
    "\"X\",\"Y\",\"Z\",\"\x95\xB6\x8E\x9A\x93\xE0\x97\x65\"\r\n"
    "12.5,-3,0,\"ABC\"\r\n";
// A text that ends in a lone lead byte cannot be written: the job fails.
const std::string kBrokenDrawing =
    "0\r\nSECTION\r\n2\r\nENTITIES\r\n0\r\nTEXT\r\n10\r\n1\r\n20\r\n2\r\n30\r\n0\r\n"
    "1\r\nAB\x82\r\n0\r\nENDSEC\r\n0\r\nEOF\r\n";

// What the user heard and saw, in order.
struct Said {
  std::string what;  // "beep 65535" or "box"
  std::string text;
  int kind = -1;
  int buttons = -1;
  int32_t helpContext = -1;
  bool operator==(const Said&) const = default;
};
std::vector<Said> said;

void RecordBeep(uint32_t type) { said.push_back({"beep " + std::to_string(type), "", -1, -1, -1}); }
int RecordBox(const std::string& text, MessageBoxKind kind, MessageBoxButtons buttons,
              int32_t helpContext) {
  said.push_back({"box", text, kind, buttons, helpContext});
  return 1;
}
const ActionFeedback kRecorder{&RecordBeep, &RecordBox};

Said Beep() { return {"beep 65535", "", -1, -1, -1}; }
Said Box(const std::string& text, MessageBoxKind kind) { return {"box", text, kind, 0x0004, 0}; }

// A chooser that the test answers in the user's place.
template <class Chooser>
class FakeChooser : public Chooser {
 public:
  bool Execute() override {
    ++runs;
    nameAtRun = this->FileName();
    folderAtRun = this->InitialDir();
    if (!answer) return false;
    this->SetFileName(*answer);
    return true;
  }
  std::optional<std::string> answer;
  int runs = 0;
  std::string nameAtRun, folderAtRun;
};

class FakeWindow : public ActionsHost {
 public:
  std::string FieldText(FieldId field) override { return fields[Index(field)]; }
  void SetFieldText(FieldId field, const std::string& text) override {
    fields[Index(field)] = text;
  }
  void FocusField(FieldId field) override { focus.push_back(field); }
  TOpenDialog& SourceChooser() override { return open; }
  TOpenDialog& DestinationChooser() override { return save; }
  void Close() override { ++closeRequests; }
  const ConversionContext& Conversion() override { return context; }
  const ActionFeedback& Feedback() override { return kRecorder; }

  static std::size_t Index(FieldId field) { return field == FieldId::kSource ? 0 : 1; }
  std::array<std::string, 2> fields;
  std::vector<FieldId> focus;
  FakeChooser<TOpenDialog> open;
  FakeChooser<TSaveDialog> save;
  int closeRequests = 0;
  ConversionContext context = [] {
    ConversionContext own = LocaleContext(CurrentPlatform());
    own.decimalSeparator = '.';  // whatever the user's locale says
    return own;
  }();
};

class WindowActions : public ::testing::Test {
 protected:
  void SetUp() override {
    RefreshLeadByteSet(CurrentPlatform());
    said.clear();
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    folder_ = std::string(temp) + "toridasu-actions-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder_.c_str(), nullptr);
  }
  void TearDown() override {
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA((folder_ + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        DeleteFileA((folder_ + "\\" + found.cFileName).c_str());
      } while (FindNextFileA(search, &found));
      FindClose(search);
    }
    RemoveDirectoryA(folder_.c_str());
  }

  std::string In(const std::string& name) const { return folder_ + "\\" + name; }
  // Puts the folder in for "<dir>".
  std::string Expand(std::string text) const {
    const std::size_t at = text.find("<dir>");
    return at == std::string::npos ? text : text.replace(at, 5, folder_);
  }
  void Write(const std::string& name, const std::string& bytes) const {
    const HANDLE file = CreateFileA(In(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
  }
  std::optional<std::string> Read(const std::string& name) const {
    const HANDLE file = CreateFileA(In(name).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD got = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
    CloseHandle(file);
    return bytes.substr(0, got);
  }

  std::string folder_;
};

TEST_F(WindowActions, ConvertTellsTheUserWhatHappened) {
  struct Case {
    const char* name;
    const char* source;
    const char* destination;
    std::vector<Said> said;
    std::vector<FieldId> focus;
    std::optional<std::string> csv;  // out.csv afterwards
  };
  const Case cases[] = {
      {"both fields empty",
       "",
       "",
       {Beep(), Box(kSourceMissingText, mkWarning)},
       {FieldId::kSource},
       std::nullopt},
      {"destination empty",
       "<dir>\\nothing",
       "",
       {Beep(), Box(kDestinationMissingText, mkWarning)},
       {FieldId::kDestination},
       std::nullopt},
      {"source file missing",
       "<dir>\\nothing",
       "<dir>\\out",
       {Beep(), Box(kSourceNotFound, mkWarning)},
       {FieldId::kSource},
       std::nullopt},
      {"blank source is not empty",
       " ",
       "<dir>\\out",
       {Beep(), Box(kSourceNotFound, mkWarning)},
       {FieldId::kSource},
       std::nullopt},
      {"converted", "<dir>\\plan", "<dir>\\out", {Box(kConverted, mkInformation)}, {}, kCsv},
      {"not converted",
       "<dir>\\broken",
       "<dir>\\out",
       {Box(kNotConverted, mkWarning)},
       {},
       std::nullopt},
  };
  Write("plan.dxf", kDrawing);
  Write("broken.dxf", kBrokenDrawing);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DeleteFileA(In("out.csv").c_str());
    said.clear();
    FakeWindow window;
    window.fields = {Expand(c.source), Expand(c.destination)};
    const auto fieldsBefore = window.fields;
    Button2Click(window);
    EXPECT_EQ(said, c.said);
    EXPECT_EQ(window.focus, c.focus);
    EXPECT_EQ(window.fields, fieldsBefore);
    EXPECT_EQ(Read("out.csv"), c.csv);
  }
}

TEST_F(WindowActions, ConvertWritesBesideTheDrawingAndOverwrites) {
  Write("plan.dxf", kDrawing);
  Write("plan.csv", std::string(200, 'x'));
  FakeWindow window;
  window.fields = {In("plan"), In("plan")};
  Button2Click(window);
  EXPECT_EQ(Read("plan.csv"), kCsv);
  EXPECT_EQ(said, std::vector<Said>{Box(kConverted, mkInformation)});
}

TEST_F(WindowActions, UnopenableSourceLeavesTheActionWithItsIoError) {
  Write("plan.dxf", kDrawing);
  // Nobody else may open the drawing while this handle is open.
  const HANDLE lock = CreateFileA(In("plan.dxf").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  FakeWindow window;
  window.fields = {In("plan"), In("out")};
  int32_t code = 0;
  try {
    Button2Click(window);
  } catch (const EInOutError& error) {
    code = error.Code();
  }
  CloseHandle(lock);
  EXPECT_EQ(code, 32);  // ERROR_SHARING_VIOLATION
  EXPECT_TRUE(said.empty());
  EXPECT_EQ(Read("out.csv"), std::nullopt);
}

TEST_F(WindowActions, BrowseFillsTheChooserAndCutsTheChosenExtension) {
  struct Case {
    const char* name;
    bool source;  // Button1Click, else Button3Click
    const char* field;
    std::optional<std::string> answer;
    const char* nameAtRun;
    const char* folderAtRun;
    const char* fieldAfter;
  };
  const Case cases[] = {
      {"source drawing exists", true, "<dir>\\plan", "D:\\rev.2\\plan.dxf", "plan", "<dir>",
       "D:\\rev.2\\plan"},
      {"source drawing missing", true, "<dir>\\nothing", "C:\\dwg\\site.dxf", "", "",
       "C:\\dwg\\site"},
      {"source cancelled", true, "<dir>\\plan", std::nullopt, "plan", "<dir>", "<dir>\\plan"},
      {"source field empty", true, "", "D:\\out\\x.tar.csv", "", "", "D:\\out\\x.tar"},
      {"destination need not exist", false, "D:\\out\\list", "D:\\out\\x.tar.csv", "list",
       "D:\\out", "D:\\out\\x.tar"},
      {"destination cancelled", false, "D:\\out\\list", std::nullopt, "list", "D:\\out",
       "D:\\out\\list"},
      {"destination without extension", false, "", "D:\\out\\list", "", "", "D:\\out\\list"},
  };
  Write("plan.dxf", kDrawing);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeWindow window;
    window.fields = {"untouched", "untouched"};
    const FieldId field = c.source ? FieldId::kSource : FieldId::kDestination;
    const FieldId other = c.source ? FieldId::kDestination : FieldId::kSource;
    window.SetFieldText(field, Expand(c.field));
    if (c.source) {
      window.open.answer = c.answer;
      Button1Click(window);
    } else {
      window.save.answer = c.answer;
      Button3Click(window);
    }
    EXPECT_EQ(window.open.runs, c.source ? 1 : 0);
    EXPECT_EQ(window.save.runs, c.source ? 0 : 1);
    EXPECT_EQ(c.source ? window.open.nameAtRun : window.save.nameAtRun, c.nameAtRun);
    EXPECT_EQ(c.source ? window.open.folderAtRun : window.save.folderAtRun, Expand(c.folderAtRun));
    EXPECT_EQ(window.FieldText(field), Expand(c.fieldAfter));
    EXPECT_EQ(window.FieldText(other), "untouched");
    EXPECT_TRUE(said.empty());
    EXPECT_TRUE(window.focus.empty());
  }
}

TEST_F(WindowActions, ExitAsksTheWindowToCloseAndShowDoesNothing) {
  FakeWindow window;
  window.fields = {"a", "b"};
  FormShow(window);
  EXPECT_EQ(window.closeRequests, 0);
  Button4Click(window);
  EXPECT_EQ(window.closeRequests, 1);
  EXPECT_EQ(window.fields, (std::array<std::string, 2>{"a", "b"}));
  EXPECT_TRUE(said.empty());
  EXPECT_TRUE(window.focus.empty());
}

}  // namespace
}  // namespace toridasu::ui
