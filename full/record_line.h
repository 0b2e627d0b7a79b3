// How a record becomes a line of the full reading's CSV.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/columns.h"
#include "model/text_record.h"

namespace toridasu::full {

// The header line: every column's name, quoted.
std::string HeaderLine(const std::vector<model::Column>& columns);
// One record line (UTF-8): numbers as the default mode writes them with the
// decimal separator `separator`, texts quoted with " doubled; `drawing` is
// what the drawing column says.
void AppendRecordLine(const std::vector<model::Column>& columns, const model::TextRecord& record,
                      char separator, std::string_view drawing, std::string& out);
// A text field by the usual CSV rule: quoted, each " doubled, line breaks kept.
void AppendQuoted(std::string_view text, std::string& out);

}  // namespace toridasu::full
