// What a workbook's cells hold: texts as a spreadsheet reads them back
// unchanged, and numbers as the CSV file's text of the same value reads.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace toridasu::xlsx {

// The longest text a cell holds, in UTF-16 units, as spreadsheets count.
constexpr std::size_t kMaxCellText = 32767;

// The UTF-16 units of well-formed UTF-8 text.
std::size_t Utf16Length(std::string_view utf8);

// Appends `utf8` as a string cell must carry it. Spreadsheets read "_xHHHH_"
// in a cell as an escaped character, so such a run that is the text's own
// has its "_" escaped as "_x005F_". A zero byte (the library takes C
// strings) and U+FFFE and U+FFFF (which XML cannot hold) are written escaped
// too; other control characters the library escapes.
void AppendCellText(std::string_view utf8, std::string& out);

// The double that a number's text in the CSV file ("12.5", "-3", "1E15")
// reads as, so that the workbook and the CSV file show one value.
double ParsedNumber(std::string_view text);

// How wide `utf8` shows, in the widths of a digit: the longest of its lines,
// a double-width character counting two.
std::size_t DisplayWidth(std::string_view utf8);

}  // namespace toridasu::xlsx
