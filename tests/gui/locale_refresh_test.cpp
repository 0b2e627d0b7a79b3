// A settings change while the program waits: ApplicationWindow re-reads the
// locale, and the next conversion writes its numbers with the new decimal
// separator.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <iterator>
#include <string>

#include "app/app_shell.h"
#include "app/application.h"
#include "engine/conversion_job.h"
#include "main_window_support.h"
#include "ui/shell.h"

namespace toridasu::test {
namespace {

std::string ReadFile(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string UserDecimalSymbol() {
  char symbol[8] = {};
  GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, symbol, sizeof symbol);
  return symbol;
}

// Changes the user's decimal symbol as the regional settings would, and
// puts the old one back.
class DecimalSymbol {
 public:
  DecimalSymbol() : saved_(UserDecimalSymbol()) {}
  ~DecimalSymbol() {
    Set(saved_);
    SendMessageA(app::Application->Handle(), WM_WININICHANGE, 0, reinterpret_cast<LPARAM>("intl"));
  }
  static void Set(const std::string& symbol) {
    SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, symbol.c_str());
  }

 private:
  std::string saved_;
};

TEST(LocaleRefresh, ASettingsChangeSetsTheSeparatorOfTheNextConversion) {
  app::InstallShell();
  char temp[MAX_PATH] = {};
  GetTempPathA(sizeof temp, temp);
  const std::string base =
      std::string(temp) + "toridasu-locale-" + std::to_string(GetCurrentProcessId());
  {
    std::ofstream drawing(base + ".dxf", std::ios::binary);
    drawing << "0\r\nSECTION\r\n2\r\nENTITIES\r\n0\r\nTEXT\r\n10\r\n12.5\r\n20\r\n-3\r\n"
               "30\r\n0.25\r\n1\r\nA\r\n0\r\nENDSEC\r\n0\r\nEOF\r\n";
  }
  struct SymbolCase {
    const char* symbol;
    const char* record;
  };
  const SymbolCase cases[] = {
      {",", "\"12,5\",\"-3\",\"0,25\",\"A\"\r\n"},  // quoted: still four fields
      {".", "12.5,-3,0.25,\"A\"\r\n"},
      {"::", "12.5,-3,0.25,\"A\"\r\n"},  // longer than one character: "."
      {";", "12;5,-3,0;25,\"A\"\r\n"},
  };
  DecimalSymbol restore;
  for (const SymbolCase& c : cases) {
    SCOPED_TRACE(c.symbol);
    DecimalSymbol::Set(c.symbol);
    ASSERT_EQ(UserDecimalSymbol(), c.symbol);
    // Sent by the platform to every top-level window; the program listens
    // on ApplicationWindow.
    SendMessageA(app::Application->Handle(), WM_WININICHANGE, 0, reinterpret_cast<LPARAM>("intl"));
    ASSERT_TRUE(ConvertDxfToCsv(base + ".dxf", base, ui::CurrentShell().Conversion()));
    const std::string csv = ReadFile(base + ".csv");
    EXPECT_EQ(csv.substr(csv.find("\r\n") + 2), c.record);
  }
  DeleteFileA((base + ".dxf").c_str());
  DeleteFileA((base + ".csv").c_str());
}

}  // namespace
}  // namespace toridasu::test
