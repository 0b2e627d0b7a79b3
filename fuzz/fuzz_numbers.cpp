// The short and full paths of the number code on any bytes: the value line
// must read alike by both (status and bits), and every double, taken from
// the first eight bytes or from the reading, must be written alike. A line
// that a record keeps as its digits must write as its double does.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "support/number_path_checks.h"

using namespace toridasu;

namespace {

void Expect(const std::string& mismatch) {
  if (!mismatch.empty()) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const Coordinate full = internal::ParseCoordinateFull(text);
  Coordinate fast;
  if (internal::ParseShortCoordinate(text, &fast)) Expect(ReadingMismatch(text, fast, full));
  Expect(ReadingMismatch(text, ParseCoordinate(text), full));
  Expect(FormattingMismatch(full.value));
  RecordCoordinate kept;
  if (kept.Read(text) == CoordinateStatus::kValid) Expect(KeptDigitsMismatch(text, kept, full));
  if (size >= 8) {
    double value;
    std::memcpy(&value, data, sizeof value);  // the bytes may sit unaligned
    Expect(FormattingMismatch(value));
  }
  return 0;
}
