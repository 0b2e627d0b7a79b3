#include "engine/type_markers.h"

#include <array>
#include <string>

namespace toridasu {
namespace {

// Whether an occurrence at `at` (counted from 0) begins on the second byte of
// a double-byte character.
bool StartsOnTrailByte(std::string_view text, std::size_t at, const LeadByteSet& leadBytes) {
  return leadBytes.KindAt(text, at + 1) == ByteKind::TrailByte;
}

// The markers are a few bytes: a loop beats a library call on them.
bool SameBytes(const char* at, std::string_view marker) {
  for (std::size_t i = 0; i < marker.size(); ++i) {
    if (at[i] != marker[i]) return false;
  }
  return true;
}

// Type and name values are a few bytes long: a plain loop beats a library
// search call on them, and the markers are at most eight bytes.
bool ContainsUpperCased(std::string_view upper, std::string_view marker,
                        const LeadByteSet& leadBytes) {
  if (marker.empty()) return false;
  std::size_t end = 0;
  while (end < upper.size() && upper[end] != '\0') ++end;  // the text ends at its first NUL
  for (std::size_t at = 0; at + marker.size() <= end; ++at) {
    if (upper[at] == marker[0] && SameBytes(upper.data() + at, marker) &&
        !StartsOnTrailByte(upper, at, leadBytes)) {
      return true;
    }
  }
  return false;
}

}  // namespace

// An upper-cased copy of a value line. ASCII-only values (nearly all type and
// name lines) are folded here, as the platform folds them; anything else goes
// to the platform's own upper-casing.
class UpperCopy {
 public:
  UpperCopy(std::string_view value, Platform& platform) : size_(value.size()) {
    char* copy = small_.data();
    if (value.size() > small_.size()) {
      large_.assign(value);
      copy = large_.data();
    }
    bool ascii = true;
    for (std::size_t i = 0; i < value.size(); ++i) {
      const unsigned char b = static_cast<unsigned char>(value[i]);
      ascii = ascii && b < 0x80;
      copy[i] = static_cast<char>(b >= 'a' && b <= 'z' ? b - ('a' - 'A') : b);
    }
    if (!ascii) {
      value.copy(copy, value.size());
      platform.UpperCase(copy, static_cast<uint32_t>(value.size()));
    }
    text_ = std::string_view(copy, size_);
  }
  std::string_view Text() const { return text_; }

 private:
  std::array<char, 128> small_;
  std::string large_;
  std::size_t size_;
  std::string_view text_;
};

bool ContainsMarker(std::string_view value, std::string_view marker,
                    const ConversionContext& context) {
  if (value.empty()) return false;
  return ContainsUpperCased(UpperCopy(value, *context.platform).Text(), marker, context.leadBytes);
}

TypeMarkers MarkersOfType(std::string_view value, const ConversionContext& context) {
  if (value.empty()) return {};
  // The two text types as drawings nearly always spell them: no folding,
  // no search.
  if (value == "TEXT" || value == "MTEXT") return {false, true};
  const UpperCopy upper(value, *context.platform);
  return {ContainsUpperCased(upper.Text(), kEndOfFileMarker, context.leadBytes),
          ContainsUpperCased(upper.Text(), kTextMarker, context.leadBytes)};
}

}  // namespace toridasu
