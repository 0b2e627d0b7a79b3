// The short and full paths of the number code on any bytes: the value line
// must read alike by both (status and bits), and every double, taken from
// the first eight bytes or from the reading, must be written alike. A line
// that a record keeps as its digits must write as its double does.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "engine/number_paths.h"
#include "engine/record_coordinate.h"

using namespace toridasu;

namespace {

uint64_t BitsOf(double value) {
  uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

void FormatAlike(double value) {
  char fast[kMaxRealText], full[kMaxRealText];
  const std::size_t fastLength = FormatReal(value, '.', fast);
  const std::size_t fullLength = internal::FormatRealFull(value, '.', full);
  if (fastLength != fullLength || std::memcmp(fast, full, fastLength) != 0) std::abort();
}

bool Same(const Coordinate& a, const Coordinate& b) {
  return a.status == b.status && BitsOf(a.value) == BitsOf(b.value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const Coordinate full = internal::ParseCoordinateFull(text);
  Coordinate fast;
  if (internal::ParseShortCoordinate(text, &fast) && !Same(fast, full)) std::abort();
  if (!Same(ParseCoordinate(text), full)) std::abort();
  FormatAlike(full.value);
  RecordCoordinate kept;
  if (kept.Read(text) == CoordinateStatus::kValid) {
    char fromKept[kMaxRealText], fromDouble[kMaxRealText];
    const std::size_t keptLength = kept.Format('.', fromKept);
    if (full.status != CoordinateStatus::kValid ||
        keptLength != FormatReal(full.value, '.', fromDouble) ||
        std::memcmp(fromKept, fromDouble, keptLength) != 0) {
      std::abort();
    }
  }
  if (size >= 8) {
    double value;
    std::memcpy(&value, data, sizeof value);
    FormatAlike(value);
  }
  return 0;
}
