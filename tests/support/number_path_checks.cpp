#include "support/number_path_checks.h"

#include <bit>
#include <cstdint>
#include <iomanip>
#include <sstream>

namespace toridasu {

std::string ReadingMismatch(std::string_view text, const Coordinate& got, const Coordinate& want) {
  const uint64_t gotBits = std::bit_cast<uint64_t>(got.value);
  const uint64_t wantBits = std::bit_cast<uint64_t>(want.value);
  if (got.status == want.status && gotBits == wantBits) return {};
  std::ostringstream shown;
  shown << "\"" << text << "\": status " << static_cast<int>(got.status) << " bits 0x" << std::hex
        << gotBits << ", want status " << static_cast<int>(want.status) << " bits 0x" << wantBits;
  return shown.str();
}

std::string FormattingMismatch(double value) {
  char fast[kMaxRealText], full[kMaxRealText];
  const std::string_view fastText(fast, FormatReal(value, '.', fast));
  const std::string_view fullText(full, internal::FormatRealFull(value, '.', full));
  if (fastText == fullText) return {};
  std::ostringstream shown;
  shown << std::hexfloat << value << " (0x" << std::hex << std::bit_cast<uint64_t>(value)
        << "): short path \"" << fastText << "\", full path \"" << fullText << "\"";
  return shown.str();
}

std::string KeptDigitsMismatch(std::string_view text, const RecordCoordinate& kept,
                               const Coordinate& full) {
  char got[kMaxRealText], want[kMaxRealText];
  const std::string_view gotText(got, kept.Format('.', got));
  const std::string_view wantText(want, FormatReal(full.value, '.', want));
  if (full.status == CoordinateStatus::kValid && gotText == wantText) return {};
  std::ostringstream shown;
  shown << "\"" << text << "\": kept digits \"" << gotText << "\", round trip \"" << wantText
        << "\"";
  return shown.str();
}

}  // namespace toridasu
