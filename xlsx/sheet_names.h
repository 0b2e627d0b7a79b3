// The names of a workbook's sheets. Spreadsheets take a name of at most 31
// characters (UTF-16 units), without any of []:*?/\, not empty, neither
// beginning nor ending with an apostrophe, and unique in the workbook without
// regard to letter case.
#pragma once

#include <set>
#include <string>
#include <string_view>

namespace toridasu::xlsx {

// The longest sheet name, in UTF-16 units.
constexpr std::size_t kMaxSheetName = 31;

// `wanted` (well-formed UTF-8) as a valid name: the characters a name cannot
// hold (and control characters, U+FFFE and U+FFFF) as "_", cut to the
// longest length.
std::string ValidSheetName(std::string_view wanted);

// A name as spreadsheets compare names: letters of either case alike (the
// Latin, Greek, Cyrillic and full-width ones).
std::string SheetNameKey(std::string_view name);

class SheetNames {
 public:
  // A valid name for `wanted` that no sheet of the workbook has yet; when
  // taken, the next free "wanted (n)", cut to fit.
  std::string Take(std::string_view wanted);
  // The name of the `number`th sheet of one drawing whose first sheet is
  // `first`: "first (number)", cut to fit, or the next free name after it.
  std::string TakeContinuation(std::string_view first, int number);

 private:
  bool Free(const std::string& name) const { return keys_.count(SheetNameKey(name)) == 0; }
  std::string Keep(std::string name);

  std::set<std::string> keys_;
};

}  // namespace toridasu::xlsx
