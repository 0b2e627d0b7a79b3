// The language module: how its file is named and looked up (registry
// override, then the locale's language), and that a module found replaces
// the window layout and the string-table texts of the program's own.
#include "app/language_module.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "app/app_shell.h"
#include "app/application.h"
#include "base/string_ids.h"
#include "base/string_table.h"
#include "main_window_support.h"
#include "ui/file_chooser.h"

namespace toridasu::test {
namespace {

std::string Folder(const std::string& path) { return path.substr(0, path.rfind('\\') + 1); }

std::string TestProgramFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, sizeof path);
  return Folder(path);
}

// A folder of its own with a program name in it, and the test module
// copied there under the names the test gives.
class LanguageFolder {
 public:
  LanguageFolder() {
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    folder_ = std::string(temp) + "toridasu-language-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder_.c_str(), nullptr);
    folder_ += "\\";
  }
  ~LanguageFolder() {
    for (const std::string& file : files_) DeleteFileA(file.c_str());
    RemoveDirectoryA(folder_.c_str());
  }
  std::string Program() const { return folder_ + "TOOL.V2.EXE"; }
  void AddModule(const std::string& extension) {
    const std::string file = folder_ + "TOOL.V2." + extension;
    const std::string module = TestProgramFolder() + "toridasu_test_language.dll";
    ASSERT_TRUE(CopyFileA(module.c_str(), file.c_str(), FALSE)) << module;
    files_.push_back(file);
  }

 private:
  std::string folder_;
  std::vector<std::string> files_;
};

// Sets (or removes) the per-user override for `program` while it lives.
class LanguageOverride {
 public:
  LanguageOverride(const std::string& program, const char* code) : program_(program) {
    RegCreateKeyExA(HKEY_CURRENT_USER, app::kLanguageOverrideKey, 0, nullptr, 0, KEY_ALL_ACCESS,
                    nullptr, &key_, nullptr);
    RegSetValueExA(key_, program_.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(code),
                   static_cast<DWORD>(strlen(code) + 1));
  }
  ~LanguageOverride() {
    RegDeleteValueA(key_, program_.c_str());
    RegCloseKey(key_);
  }

 private:
  std::string program_;
  HKEY key_ = nullptr;
};

// The extension of the module that the lookup loads ("" for none).
std::string FoundExtension(const std::string& program) {
  std::string file;
  HMODULE module = app::FindLanguageModule(program, &file);
  if (module == nullptr) return "";
  FreeLibrary(module);
  return file.substr(file.rfind('.') + 1);
}

TEST(LanguageModule, IsNamedLikeTheProgramWithTheCodeAsExtension) {
  EXPECT_EQ(app::LanguageModuleFile("C:\\bin\\TORIDASU.EXE", "JPN"), "C:\\bin\\TORIDASU.JPN");
  EXPECT_EQ(app::LanguageModuleFile("C:\\bin\\TOOL.V2.EXE", "JP"), "C:\\bin\\TOOL.V2.JP");
  EXPECT_EQ(app::LanguageModuleFile("C:\\rev.2\\tool", "JPN"), "C:\\rev.2\\tool.JPN");
}

TEST(LanguageModule, CodesComeFromTheOverrideThenTheLocale) {
  LanguageFolder folder;
  EXPECT_EQ(app::LanguageCodes(folder.Program()), (std::vector<std::string>{"JPN", "JP"}));
  LanguageOverride override(folder.Program(), "TST");
  EXPECT_EQ(app::LanguageCodes(folder.Program()), (std::vector<std::string>{"TST", "JPN", "JP"}));
}

TEST(LanguageModule, TheFirstModuleThatLoadsWins) {
  LanguageFolder folder;
  EXPECT_EQ(app::FindLanguageModule(folder.Program()), nullptr);
  folder.AddModule("JP");
  EXPECT_EQ(FoundExtension(folder.Program()), "JP");
  folder.AddModule("JPN");
  EXPECT_EQ(FoundExtension(folder.Program()), "JPN");
  folder.AddModule("TST");
  {
    LanguageOverride override(folder.Program(), "TST");
    EXPECT_EQ(FoundExtension(folder.Program()), "TST");
  }
  {
    // An override whose module does not load falls back to the locale's.
    LanguageOverride override(folder.Program(), "XYZ");
    EXPECT_EQ(FoundExtension(folder.Program()), "JPN");
  }
}

// The program's own resources, then the test module's, for one test.
class WithTestLanguage : public MainWindowTest {
 protected:
  void SetUp() override {
    module_ = LoadLibraryExA((TestProgramFolder() + "toridasu_test_language.dll").c_str(), nullptr,
                             LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module_, nullptr);
    app::UseLanguageModule(module_);
    MainWindowTest::SetUp();
  }
  void TearDown() override {
    MainWindowTest::TearDown();
    app::UseLanguageModule(nullptr);
    FreeLibrary(module_);
  }
  HMODULE module_ = nullptr;
};

TEST_F(WithTestLanguage, ItsLayoutAndTextsReplaceTheProgramsOwn) {
  EXPECT_EQ(ui::CurrentShell().ResourceModule(), module_);
  // The frame and the components come from the module's layout.
  char caption[64] = {};
  GetWindowTextA(Form().Handle(), caption, sizeof caption);
  EXPECT_STREQ(caption, "TORIDASU \x83\x65\x83\x58\x83\x67");  // TORIDASU テスト
  RECT outer;
  GetWindowRect(Form().Handle(), &outer);
  EXPECT_EQ(outer.left, 100);
  EXPECT_EQ(outer.top, 80);
  EXPECT_EQ(Form().Button2->Text(), "Convert");
  EXPECT_EQ(Form().Button4->Text(), "E&xit");
  EXPECT_EQ(Form().Label2->Text(), ".dxf");
  EXPECT_EQ(Form().Label2->Font().Has(ui::fsBold), true);
  EXPECT_EQ(Form().Memo1->Text(),
            "\x83\x65\x83\x58\x83\x67\x97\x70\x82\xCC\x90\xE0\x96\xBE\x82\xC5\x82\xB7\x81\x42\r\n"
            "Second line.");  // テスト用の説明です。
  RECT button;
  GetWindowRect(Form().Button2->Handle(), &button);
  MapWindowPoints(nullptr, Form().Handle(), reinterpret_cast<POINT*>(&button), 2);
  EXPECT_EQ(button.left, 200);
  EXPECT_EQ(button.top, 70);
  EXPECT_EQ(button.right - button.left, 160);
  EXPECT_EQ(Form().OpenDialog1->Filter(), "Drawings(*.dxf)|*.dxf");

  // Every string-table text comes from the module; ids it lacks are empty.
  EXPECT_EQ(LoadResString(text_id::kMsgDlgWarning),
            "\x83\x65\x83\x58\x83\x67\x8C\x78\x8D\x90");  // テスト警告
  EXPECT_EQ(LoadResString(text_id::kMsgDlgOK), "Okay");
  EXPECT_EQ(LoadResString(text_id::kConverted), "Converted (test)");
  EXPECT_EQ(LoadResString(text_id::kNotConverted), "");

  // The accelerator follows the module's caption: Alt+X still, via "E&xit".
  app::Application->ResetTerminated();
  PressKey('X', true);
  EXPECT_TRUE(app::Application->Terminated());
}

TEST(LanguageModule, WithoutOneTheProgramsOwnTextsApply) {
  app::UseLanguageModule(nullptr);
  EXPECT_EQ(ui::CurrentShell().ResourceModule(), GetModuleHandleA(nullptr));
  EXPECT_EQ(LoadResString(text_id::kMsgDlgWarning), "\x8C\x78\x8D\x90");  // 警告
  EXPECT_EQ(LoadResString(text_id::kConverted),
            "\x95\xCF\x8A\xB7\x82\xB5\x82\xDC\x82\xB5\x82\xBD\x81\x49");
}

}  // namespace
}  // namespace toridasu::test
