#include "engine/csv_quote.h"

#include "base/errors.h"

namespace toridasu {

void AppendQuotedCsvText(std::string& out, std::string_view text) {
  const std::size_t start = out.size();
  out.reserve(start + text.size() + text.size() / 8 + 2);
  if (!QuoteCsvTextInPieces(text, [&out](std::string_view piece) { out += piece; })) {
    out.resize(start);
    RaiseRangeError();
  }
}

void CheckQuotable(std::string_view text) {
  if (!QuoteCsvTextInPieces(text, [](std::string_view) {})) RaiseRangeError();
}

}  // namespace toridasu
