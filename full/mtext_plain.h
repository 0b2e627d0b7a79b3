// MTEXT contents as a user reads them on the screen, without the codes that
// format them.
#pragma once

#include <string>
#include <string_view>

namespace toridasu::full {

// The plain text of an MTEXT value (UTF-8, its group-3 pieces already joined
// before group 1): formatting codes and grouping braces removed, "\P" a line
// break (LF), "\N" (column break) a line break, "\~" a space, "\\", "\{" and
// "\}" the characters themselves, "\U+XXXX", "\M+nXXXX", "%%d", "%%p" and
// "%%c" decoded, stacked fractions "\Sa^b;", "\Sa/b;" and "\Sa#b;" as "a/b"
// (within them a backslash makes any character stand for itself), and
// caret-encoded control characters ("^I" tab, "^J" line feed, "^ " a caret)
// decoded. A code cut short by the end of the text ends the text; nothing is
// read past it.
std::string MTextToPlain(std::string_view utf8);

}  // namespace toridasu::full
