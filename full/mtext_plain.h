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
// (within them a backslash makes any character stand for itself; after a
// digit a space before them: "2 1/2"), and caret-encoded control characters
// ("^I" tab, "^J" line feed, "^ " a caret) decoded. A code's value ("\H2.5x;",
// "\fArial|b0;") ends where its kind cannot run on; without its semicolon,
// what follows is text again. An unknown code and a field ("%<\...>%")
// stay as they stand.
std::string MTextToPlain(std::string_view utf8);

}  // namespace toridasu::full
