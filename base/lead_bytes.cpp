// The platform's lead-byte set of the ANSI code page. Filled at start-up and
// on every settings change, read by the path operations, the marker search
// and the error texts.
#include "base/lead_bytes.h"

#include "platform/platform.h"

namespace toridasu {
namespace {

constexpr int kRangePairs = 6;

LeadByteSet& ProcessSet() {
  static LeadByteSet set;
  return set;
}

unsigned char ByteAt(std::string_view text, std::size_t position) {
  return position >= 1 && position <= text.size() ? static_cast<unsigned char>(text[position - 1])
                                                  : 0;
}

}  // namespace

void LeadByteSet::Refresh(Platform& platform) {
  doubleByte_ = platform.DoubleByteEnabled();
  if (!doubleByte_) return;
  CodePageInfo info;
  if (!platform.AnsiCodePageInfo(&info)) return;
  for (int pair = 0; pair < kRangePairs; ++pair) {
    const unsigned first = info.leadByteRanges[2 * pair];
    const unsigned last = info.leadByteRanges[2 * pair + 1];
    if (first == 0 && last == 0) break;
    for (unsigned b = first; b <= last; ++b) members_[b >> 6] |= uint64_t{1} << (b & 63);
  }
}

const LeadByteSet& SystemLeadByteSet() { return ProcessSet(); }

void RefreshLeadByteSet(Platform& platform) { ProcessSet().Refresh(platform); }

ByteKind LeadByteSet::KindAt(std::string_view text, std::size_t position) const {
  if (!doubleByte_) return ByteKind::SingleByte;
  const unsigned char byte = ByteAt(text, position);
  if (byte == 0) return ByteKind::SingleByte;
  // Trail bytes may themselves lie in the lead ranges, so the pairing is
  // decided by the run of lead-range bytes directly in front.
  std::size_t run = 0;
  for (std::size_t i = position - 1; i >= 1 && Contains(ByteAt(text, i)); --i) ++run;
  if (run % 2 == 1) return ByteKind::TrailByte;
  return Contains(byte) ? ByteKind::LeadByte : ByteKind::SingleByte;
}

ByteKind ByteKindAt(std::string_view text, std::size_t position) {
  return SystemLeadByteSet().KindAt(text, position);
}

std::size_t FindLastDelimiter(std::string_view delimiters, std::string_view text) {
  std::size_t i = text.size();
  while (i > 0) {
    const char b = text[i - 1];
    if (b != '\0' && delimiters.find(b) != std::string_view::npos) {
      if (ByteKindAt(text, i) != ByteKind::TrailByte) return i;
      i = i >= 2 ? i - 2 : 0;  // step over the whole double-byte character
    } else {
      --i;
    }
  }
  return 0;
}

}  // namespace toridasu
