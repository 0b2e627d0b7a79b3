#include "io/file_name_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace toridasu {
namespace {

std::string Repeated(const std::string& text, int count) {
  std::string out;
  for (int i = 0; i < count; ++i) out += text;
  return out;
}

struct RuleCase {
  const char* what;
  std::string name;
  NameEncoding encoding;
  int32_t code;
};

// A UTF-8 name is as long as the wide calls count it, not as its bytes.
TEST(FileNameRules, NamesAreMeasuredAsTheirCallsTakeThem) {
  const std::string zu = "\xE5\x9B\xB3";         // 図: 3 bytes, 1 unit
  const std::string yoshi = "\xF0\xA0\xAE\xB7";  // 𠮷: 4 bytes, 2 units
  const RuleCase cases[] = {
      {"100 characters of UTF-8", Repeated(zu, 100), NameEncoding::kUtf8, 0},
      {"the same bytes as ANSI", Repeated(zu, 100), NameEncoding::kAnsi, 3},
      {"259 units", Repeated(yoshi, 129) + "a", NameEncoding::kUtf8, 0},
      {"260 units", Repeated(yoshi, 130), NameEncoding::kUtf8, 3},
      {"empty", "", NameEncoding::kUtf8, 123},
      {"NUL inside", std::string("a\0b", 3), NameEncoding::kUtf8, 123},
  };
  for (const RuleCase& c : cases) EXPECT_EQ(FileNameRefusal(c.name, c.encoding), c.code) << c.what;
}

}  // namespace
}  // namespace toridasu
