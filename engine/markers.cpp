// The marker test of type and name values ("TEXT", "EOF", "ENTITIES").
#include <array>
#include <string>

#include "engine/dxf_source.h"
#include "files/file_names.h"
#include "platform/platform.h"

namespace toridasu {
namespace {

// Whether an occurrence at `at` begins on the second byte of a double-byte
// character: the run of lead-range bytes directly before it is odd.
bool StartsOnTrailByte(std::string_view text, std::size_t at) {
  if (!DoubleByteSystem()) return false;
  std::size_t run = 0;
  while (at > run && IsLeadByte(static_cast<unsigned char>(text[at - run - 1]))) ++run;
  return run % 2 == 1;
}

bool ContainsUpperCased(std::string_view upper, std::string_view marker) {
  upper = upper.substr(0, upper.find('\0'));  // the searched text ends at its first NUL
  if (marker.empty()) return false;
  for (std::size_t at = upper.find(marker); at != std::string_view::npos;
       at = upper.find(marker, at + 1)) {
    if (!StartsOnTrailByte(upper, at)) return true;
  }
  return false;
}

}  // namespace

bool ContainsMarker(std::string_view value, std::string_view marker) {
  if (value.empty()) return false;
  // Short values (nearly all type and name lines) are folded on the stack.
  std::array<char, 128> small;
  std::string large;
  char* copy = small.data();
  if (value.size() > small.size()) {
    large.assign(value);
    copy = large.data();
  } else {
    value.copy(copy, value.size());
  }
  CurrentPlatform().UpperCase(copy, static_cast<uint32_t>(value.size()));
  return ContainsUpperCased(std::string_view(copy, value.size()), marker);
}

}  // namespace toridasu
