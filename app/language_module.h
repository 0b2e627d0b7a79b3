// LanguageModule: an optional resource-only library beside the executable
// that replaces the program's window layout and string-table texts. It is
// named like the executable with a language code as its extension
// (TORIDASU.JPN) and loaded as a data file, never run.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace toridasu::app {

// Where a user may name the language for a program: a value named after the
// executable's full path, or the key's default value, holding a code of up
// to four characters.
constexpr char kLanguageOverrideKey[] = "Software\\TORIDASU\\Locales";

// The executable's full path with its extension replaced by `code`.
std::string LanguageModuleFile(std::string_view executablePath, std::string_view code);

// The codes to try, in order: the per-user override, the locale's
// three-letter language abbreviation (JPN), its first two letters (JP).
std::vector<std::string> LanguageCodes(std::string_view executablePath);

// The first module of those codes that loads, or nullptr; `file` (when
// given) receives its file name.
HMODULE FindLanguageModule(std::string_view executablePath, std::string* file = nullptr);

// Start-up step 1: looks for this program's module and, if one loads, takes
// the layout and every string-table text from it from now on. Its release
// is registered as a finalisation.
void LookForLanguageModule();

// The module that supplies the resources: the language module when one is
// loaded, else the program's own.
HMODULE ResourceModule();
HMODULE LoadedLanguageModule();
// Takes the resources from `module` (nullptr: the program's own). The
// caller keeps ownership of the module.
void UseLanguageModule(HMODULE module);

}  // namespace toridasu::app
