#include "full/mtext_plain.h"

#include "text/text_codes.h"

namespace toridasu::full {
namespace {

// What the value of a formatting code can hold, up to its semicolon. A value
// ends where its kind cannot run on; without a semicolon there, what follows
// is text again.
enum class ValueKind { kNone, kNumber, kRelativeNumber, kFont, kParagraph };

ValueKind ValueKindOf(char code) {
  switch (code) {
    // Alignment, colour index, true colour, obliquing.
    case 'A':
    case 'C':
    case 'c':
    case 'Q': return ValueKind::kNumber;
    // Height, tracking, width: "x" after the number scales the current one.
    case 'H':
    case 'T':
    case 'W': return ValueKind::kRelativeNumber;
    case 'f':
    case 'F': return ValueKind::kFont;
    case 'p': return ValueKind::kParagraph;
    default: return ValueKind::kNone;
  }
}

bool IsAsciiDigit(char ch) { return ch >= '0' && ch <= '9'; }

bool IsAsciiAlnum(char ch) {
  return IsAsciiDigit(ch) || (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z');
}

// The length of a value of `kind` at `text[pos]`, its semicolon included when
// one ends it.
std::size_t ValueLength(std::string_view text, std::size_t pos, ValueKind kind) {
  std::size_t end = pos;
  const auto runs = [&](auto part) {
    while (end < text.size() && part(text[end])) ++end;
  };
  switch (kind) {
    case ValueKind::kNumber:
    case ValueKind::kRelativeNumber:
      if (end < text.size() && (text[end] == '+' || text[end] == '-')) ++end;
      runs([](char ch) { return IsAsciiDigit(ch) || ch == '.'; });
      if (kind == ValueKind::kRelativeNumber && end < text.size() &&
          (text[end] == 'x' || text[end] == 'X'))
        ++end;
      break;
    case ValueKind::kFont:
      // A font's name holds spaces; a code, a brace or a line ends it.
      runs([](char ch) {
        return ch != ';' && ch != '\\' && ch != '{' && ch != '}' &&
               static_cast<unsigned char>(ch) >= 0x20;
      });
      break;
    case ValueKind::kParagraph:
      // Indents, tabs and alignment: "\pxi-1,l2,t3,qc;", "\pi*,l*,t;".
      runs([](char ch) {
        return IsAsciiAlnum(ch) || ch == ',' || ch == '.' || ch == '-' || ch == '+' || ch == '*';
      });
      break;
    case ValueKind::kNone: break;
  }
  if (end < text.size() && text[end] == ';') ++end;
  return end - pos;
}

// The length of a field, "%<\...>%" with fields nested in it, at
// `text[pos]`, or 0 when none is closed there. A drawing that holds a field as
// it stands shows it so. Once a field runs to the end unclosed, `unclosedFrom`
// is its start, and none after it is looked for: a text of many unclosed
// fields is read in one pass.
std::size_t FieldLength(std::string_view text, std::size_t pos, std::size_t& unclosedFrom) {
  if (pos >= unclosedFrom || text.substr(pos, 3) != "%<\\") return 0;
  int depth = 0;
  for (std::size_t i = pos; i + 1 < text.size();) {
    if (text[i] == '%' && text[i + 1] == '<') {
      ++depth;
      i += 2;
    } else if (text[i] == '>' && text[i + 1] == '%') {
      i += 2;
      if (--depth == 0) return i - pos;
    } else {
      ++i;
    }
  }
  unclosedFrom = pos;
  return 0;
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
  std::size_t unclosedField = std::string_view::npos;
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
        case 'S': {
          // A fraction after a whole number stands apart from it: 2 1/2.
          const std::size_t before = out.size();
          length = AppendStack(utf8, i + 2, out) - i;
          if (out.size() > before && before > 0 && IsAsciiDigit(out[before - 1]))
            out.insert(before, 1, ' ');
          break;
        }
        case 'U':
        case 'M': length = text::AppendUnicodeEscape(utf8, i, out); break;
        default:
          if (const ValueKind kind = ValueKindOf(code); kind != ValueKind::kNone)
            length = 2 + ValueLength(utf8, i + 2, kind);
          else
            length = 0;  // no code: the backslash is a character
      }
    } else if (ch == '{' || ch == '}') {
      length = 1;  // grouping of formats
    } else if (ch == '%') {
      length = FieldLength(utf8, i, unclosedField);
      if (length != 0)
        out.append(utf8.substr(i, length));
      else
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
