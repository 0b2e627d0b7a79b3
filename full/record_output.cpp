#include "full/record_output.h"

#include <cstdio>

#include "full/code_page.h"
#include "full/record_line.h"

namespace toridasu::full {
namespace {

std::string DescribeCharacter(char32_t c) {
  char name[16];
  std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(c));
  std::string text = name;
  if (c >= 0x20 && c != 0xFFFD) {
    text += " (";
    AppendUtf8(c, text);
    text += ")";
  }
  return text;
}

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

}  // namespace

void RecordOutput::WriteHeader() {
  std::string header = choice_.utf8 && choice_.bom ? std::string(kUtf8Bom) : std::string();
  header += HeaderLine(choice_.columns);
  WriteUtf8Line(header, 0);
}

void RecordOutput::Write(const model::TextRecord& record) {
  std::string& line = destination_.RecordScratch();
  line.clear();
  AppendRecordLine(choice_.columns, record, separator_, line);
  WriteUtf8Line(line, record.line);
  ++records_;
}

void RecordOutput::WriteUtf8Line(const std::string& utf8, uint64_t line) {
  if (choice_.utf8) {
    WriteCsvLine(destination_, utf8);
    return;
  }
  encoded_.clear();
  char32_t unencodable = 0;
  if (!AppendUtf8AsShiftJis(utf8, choice_.replace, encoded_, &unencodable)) {
    throw FullFailure{FullFailure::Kind::kUnencodable, DescribeCharacter(unencodable), line};
  }
  WriteCsvLine(destination_, encoded_);
}

}  // namespace toridasu::full
