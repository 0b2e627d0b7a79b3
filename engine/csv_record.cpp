#include "engine/csv_record.h"

#include <cstring>
#include <string>

#include "base/errors.h"
#include "engine/csv_quote.h"

namespace toridasu {

// "X","Y","Z","文字内容"
const std::string_view kCsvHeader =
    "\x22X\x22,\x22Y\x22,\x22Z\x22,\x22\x95\xB6\x8E\x9A\x93\xE0\x97\x65\x22";

void WriteCsvHeader(CsvDestination& destination) { destination.WriteLine(kCsvHeader); }

namespace {

// Texts longer than this go to the destination in pieces instead of through
// an assembled line, so that a long text is held only once.
constexpr std::size_t kAssembledTextLimit = 64 * 1024;

}  // namespace

void WriteTextRecord(CsvDestination& destination, const RecordCoordinate& x,
                     const RecordCoordinate& y, const RecordCoordinate& z, std::string_view text,
                     char decimalSeparator) {
  std::string& line = destination.RecordScratch();
  const auto writeNumbers = [&](char* out) {
    for (const RecordCoordinate* coordinate : {&x, &y, &z}) {
      out = PutCsvNumber(decimalSeparator, out,
                         [&](char* at) { return coordinate->Format(decimalSeparator, at); });
      *out++ = ',';
    }
    return out;
  };
  constexpr std::size_t kNumbersRoom = 3 * (kMaxRealText + 3);
  if (text.size() <= kAssembledTextLimit) {
    // Assembled in place, with room for a text of double quotes only; the
    // room is kept between records, so only its growth is ever filled.
    const std::size_t room = kNumbersRoom + 2 * text.size() + 2;
    if (line.size() < room) line.resize(room);
    char* const start = line.data();
    char* out = writeNumbers(start);
    // A text that cannot be quoted writes nothing.
    if (!QuoteCsvTextInPieces(text, [&out](std::string_view piece) {
          std::memcpy(out, piece.data(), piece.size());
          out += piece.size();
        })) {
      RaiseRangeError();
    }
    destination.WriteLine(std::string_view(start, static_cast<std::size_t>(out - start)));
    return;
  }
  line.resize(kNumbersRoom);
  line.resize(static_cast<std::size_t>(writeNumbers(line.data()) - line.data()));
  if (destination.TakesPieces()) {
    // Nothing is written when the text cannot be quoted: it is checked first.
    CheckQuotable(text);
    destination.BeginLine();
    destination.AppendToLine(line);
    QuoteCsvTextInPieces(
        text, [&destination](std::string_view piece) { destination.AppendToLine(piece); });
    destination.EndLine();
    return;
  }
  // Assembled in full first, so a text that cannot be quoted writes nothing.
  AppendQuotedCsvText(line, text);
  destination.WriteLine(line);
}

}  // namespace toridasu
