#include "app/language_module.h"

#include "app/application_title.h"
#include "app/error_process.h"
#include "base/string_table.h"
#include "files/file_names.h"

namespace toridasu::app {
namespace {

constexpr std::size_t kMaxCodeLength = 4;

HMODULE languageModule = nullptr;

// A text of the language module's string table; empty when it has none.
std::string LanguageString(uint32_t id) {
  char text[4096];
  const int length = LoadStringA(languageModule, id, text, sizeof text);
  return std::string(text, length > 0 ? static_cast<std::size_t>(length) : 0);
}

// The override's code, or empty. A value longer than a code is ignored.
std::string OverrideCode(const std::string& executablePath) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kLanguageOverrideKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return {};
  }
  std::string code;
  for (const char* valueName : {executablePath.c_str(), ""}) {
    char value[kMaxCodeLength + 1] = {};
    DWORD size = sizeof value;
    DWORD type = 0;
    if (RegQueryValueExA(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(value), &size) ==
            ERROR_SUCCESS &&
        type == REG_SZ) {
      code.assign(value, strnlen(value, sizeof value));
      break;
    }
  }
  RegCloseKey(key);
  return code;
}

void ReleaseLanguageModule() {
  HMODULE module = languageModule;
  UseLanguageModule(nullptr);
  if (module != nullptr) FreeLibrary(module);
}

}  // namespace

std::string LanguageModuleFile(std::string_view executablePath, std::string_view code) {
  std::string extension(1, '.');
  extension.append(code);
  return ReplaceExtension(executablePath, extension);
}

std::vector<std::string> LanguageCodes(std::string_view executablePath) {
  std::vector<std::string> codes;
  if (std::string code = OverrideCode(std::string(executablePath)); !code.empty()) {
    codes.push_back(code);
  }
  char abbreviation[kMaxCodeLength + 1] = {};
  if (GetLocaleInfoA(GetThreadLocale(), LOCALE_SABBREVLANGNAME, abbreviation, sizeof abbreviation) >
          0 &&
      abbreviation[0] != '\0') {
    codes.emplace_back(abbreviation);
    codes.emplace_back(std::string(abbreviation).substr(0, 2));
  }
  return codes;
}

HMODULE FindLanguageModule(std::string_view executablePath, std::string* file) {
  for (const std::string& code : LanguageCodes(executablePath)) {
    const std::string name = LanguageModuleFile(executablePath, code);
    if (HMODULE module = LoadLibraryExA(name.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {
      if (file != nullptr) *file = name;
      return module;
    }
  }
  return nullptr;
}

void LookForLanguageModule() {
  HMODULE module = FindLanguageModule(ExecutablePath());
  if (module == nullptr) return;
  UseLanguageModule(module);
  AddFinalisation(&ReleaseLanguageModule);
}

HMODULE ResourceModule() {
  return languageModule != nullptr ? languageModule : GetModuleHandleA(nullptr);
}

HMODULE LoadedLanguageModule() { return languageModule; }

// The program's own texts are its built-in table, the same texts as its
// string-table resource, byte for byte whatever the system's code page.
void UseLanguageModule(HMODULE module) {
  languageModule = module;
  SetStringLoader(module != nullptr ? &LanguageString : nullptr);
}

}  // namespace toridasu::app
