#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "xlsx/sheet_names.h"

namespace toridasu::xlsx {
namespace {

std::string Repeated(const std::string& text, int times) {
  std::string repeated;
  for (int i = 0; i < times; ++i) repeated += text;
  return repeated;
}

struct NamesCase {
  const char* what;
  std::vector<std::string> wanted;  // in the order the drawings come
  std::vector<std::string> given;
};

// A spreadsheet refuses, or repairs, a workbook whose sheet names break its
// rules: the names must come out valid and unique whatever the files are called.
TEST(XlsxSheetNames, ValidAndUniqueWithoutRegardToCase) {
  const std::string forty(40, 'a');
  const NamesCase cases[] = {
      {"the same drawing name in two folders",
       {"平面図", "平面図", "平面図"},
       {"平面図", "平面図 (2)", "平面図 (3)"}},
      {"letter case", {"Plan", "PLAN", "plan (2)"}, {"Plan", "PLAN (2)", "plan (2) (2)"}},
      {"full-width, Greek and Cyrillic letters",
       {"Ａ棟", "ａ棟", "αβ", "ΑΒ", "жд", "ЖД"},
       {"Ａ棟", "ａ棟 (2)", "αβ", "ΑΒ (2)", "жд", "ЖД (2)"}},
      {"40 characters", {forty, forty}, {std::string(31, 'a'), std::string(27, 'a') + " (2)"}},
      {"characters a name cannot hold",
       {"plan[1]", "a:b*c?d/e\\f", "tab\there", "not XML \xEF\xBF\xBF"},
       {"plan_1_", "a_b_c_d_e_f", "tab_here", "not XML _"}},
      {"apostrophes at the ends, and nothing", {"'quoted'", ""}, {"_quoted_", "Sheet"}},
      {"a name spreadsheets keep", {"history"}, {"history (2)"}},
      // Sixteen 𠮷 are 32 UTF-16 units: fifteen fit.
      {"characters outside the basic plane count twice",
       {Repeated("𠮷", 16)},
       {Repeated("𠮷", 15)}},
  };
  for (const NamesCase& c : cases) {
    SCOPED_TRACE(c.what);
    SheetNames names;
    std::vector<std::string> given;
    for (const std::string& wanted : c.wanted) given.push_back(names.Take(wanted));
    EXPECT_EQ(given, c.given);
  }
}

// A drawing's further sheets are numbered after its first, never taking a
// name that is already there.
TEST(XlsxSheetNames, ContinuationsStayUnique) {
  SheetNames names;
  EXPECT_EQ(names.Take("plan (2)"), "plan (2)");
  EXPECT_EQ(names.Take("plan"), "plan");
  EXPECT_EQ(names.TakeContinuation("plan", 2), "plan (2) (2)");
  EXPECT_EQ(names.TakeContinuation("plan", 3), "plan (3)");
  EXPECT_EQ(names.TakeContinuation(std::string(31, 'b'), 2), std::string(27, 'b') + " (2)");
}

}  // namespace
}  // namespace toridasu::xlsx
