#include "full/csv_record_sink.h"

#include <cstdio>

#include "engine/conversion_failure.h"
#include "full/record_line.h"
#include "text/byte_order_mark.h"
#include "text/code_page.h"

namespace toridasu::full {
namespace {

std::string DescribeCharacter(char32_t c) {
  char name[16];
  std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(c));
  std::string text = name;
  if (c >= 0x20 && c != 0xFFFD) {
    text += " (";
    text::AppendUtf8(c, text);
    text += ")";
  }
  return text;
}

}  // namespace

void CsvRecordSink::Begin(const std::vector<model::Column>& columns) {
  columns_ = columns;
  destination_.Open(out_);
  std::string header(choice_.utf8 && choice_.bom ? text::kUtf8Bom : std::string_view());
  header += HeaderLine(columns_);
  WriteUtf8Line(header, 0);
}

void CsvRecordSink::Take(const model::TextRecord& record) {
  std::string& line = destination_.RecordScratch();
  line.clear();
  AppendRecordLine(columns_, record, separator_, drawing_, line);
  WriteUtf8Line(line, record.line);
}

void CsvRecordSink::Commit() { CloseCsvFile(destination_); }

void CsvRecordSink::Abandon() {
  destination_.Abandon();
  out_.RemoveOutput();
}

void CsvRecordSink::WriteUtf8Line(const std::string& utf8, uint64_t line) {
  if (choice_.utf8) {
    WriteCsvLine(destination_, utf8);
    return;
  }
  encoded_.clear();
  char32_t unencodable = 0;
  if (text::AppendUtf8AsShiftJis(utf8, false, encoded_, &unencodable)) {
    WriteCsvLine(destination_, encoded_);
    return;
  }
  // A character that Shift-JIS lacks (rare): written with its stand-in where
  // Japanese drawings have one, else as the user asked.
  standIns_ = utf8;
  text::UseShiftJisStandIns(standIns_);
  if (!text::AppendUtf8AsShiftJis(standIns_, choice_.replace, encoded_, &unencodable)) {
    ConversionFailure failure;
    failure.kind = FailureKind::kUnencodable;
    failure.detail = DescribeCharacter(unencodable);
    failure.line = line;
    throw failure;
  }
  WriteCsvLine(destination_, encoded_);
}

}  // namespace toridasu::full
