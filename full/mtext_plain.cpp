#include "full/mtext_plain.h"

#include "text/text_codes.h"

namespace toridasu::full {
namespace {

// The codes that carry a value up to a semicolon and show nothing: alignment,
// colours, fonts, height, obliquing, tracking, width, paragraph layout.
bool TakesValueToSemicolon(char code) {
  switch (code) {
    case 'A':
    case 'C':
    case 'c':
    case 'f':
    case 'F':
    case 'H':
    case 'Q':
    case 'T':
    case 'W':
    case 'p': return true;
    default: return false;
  }
}

// Reads the stacked text after "\S" from `text[pos]` up to its semicolon and
// appends it as "a/b" (one part alone when the other is empty). Returns the
// position after the semicolon, or the end when the code is cut short.
std::size_t AppendStack(std::string_view text, std::size_t pos, std::string& out) {
  std::string parts[2];
  int part = 0;
  while (pos < text.size()) {
    const char ch = text[pos++];
    if (ch == ';') break;
    if (ch == '\\' && pos < text.size()) {
      // An escaped character stands for itself: "\;", "\^", "\/", "\#", "\~".
      parts[part] += text[pos++];
    } else if (part == 0 && (ch == '^' || ch == '/' || ch == '#')) {
      part = 1;
    } else if (const std::size_t length =
                   text::AppendPercentCode(text, pos - 1, false, parts[part])) {
      pos += length - 1;
      continue;
    } else {
      parts[part] += ch;
    }
    // A caret is written "^ " in a drawing, so "\S1^ 2;" stacks 1 over 2.
    if (text[pos - 1] == '^' && pos < text.size() && text[pos] == ' ') ++pos;
  }
  out += parts[0];
  if (!parts[0].empty() && !parts[1].empty()) out += '/';
  out += parts[1];
  return pos;
}

}  // namespace

std::string MTextToPlain(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  std::size_t i = 0;
  while ((i = text::AppendPlainText(utf8, i, true, out)) < utf8.size()) {
    const char ch = utf8[i];
    std::size_t length = 0;
    if (ch == '\\') {
      if (i + 1 >= utf8.size()) break;  // a lone backslash at the end
      const char code = utf8[i + 1];
      length = 2;
      switch (code) {
        case 'P':  // paragraph
        case 'N':  // column break
        case 'X':  // the line between a dimension's two texts
          out += '\n';
          break;
        case '~': out += ' '; break;
        case '\\':
        case '{':
        case '}': out += code; break;
        case 'L':
        case 'l':
        case 'O':
        case 'o':
        case 'K':
        case 'k': break;
        case 'S': length = AppendStack(utf8, i + 2, out) - i; break;
        case 'U':
        case 'M': length = text::AppendUnicodeEscape(utf8, i, out); break;
        default:
          if (TakesValueToSemicolon(code)) {
            const std::size_t semicolon = utf8.find(';', i + 2);
            if (semicolon == std::string_view::npos) return out;  // cut short
            length = semicolon + 1 - i;
          } else {
            length = 0;  // no code: the backslash is a character
          }
      }
    } else if (ch == '{' || ch == '}') {
      length = 1;  // grouping of formats
    } else if (ch == '%') {
      length = text::AppendPercentCode(utf8, i, false, out);
    } else if (ch == '^') {
      length = text::AppendCaretCode(utf8, i, out);
    }
    if (length == 0) {
      out += ch;
      length = 1;
    }
    i += length;
  }
  return out;
}

}  // namespace toridasu::full
