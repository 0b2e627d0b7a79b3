// The platform's lead-byte set of the ANSI code page and what each byte of a
// Shift-JIS text is: the second byte of 表 or ソ (0x5C) is never taken for a
// backslash, and a text is never cut between the two bytes of a character.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace toridasu {

class Platform;

enum class ByteKind { SingleByte, LeadByte, TrailByte };

// A lead-byte set (for code page 932: 0x81-0x9F and 0xE0-0xFC) with the
// platform's double-byte flag.
class LeadByteSet {
 public:
  // Reads the double-byte flag from the platform and, when it is set, adds
  // the ranges of the ANSI code page. Members are never removed: a system
  // that stops being double-byte is told by the flag alone.
  void Refresh(Platform& platform);

  // Whether the platform is set up for double-byte characters.
  bool DoubleByteSystem() const { return doubleByte_; }
  // Whether `byte` is a member (whatever the flag).
  bool Contains(unsigned char byte) const { return (members_[byte >> 6] >> (byte & 63)) & 1; }
  // What the byte at `position` (counted from 1) of `text` is under this set.
  ByteKind KindAt(std::string_view text, std::size_t position) const;

 private:
  bool doubleByte_ = false;
  uint64_t members_[4] = {};
};

// The process's own set, which the path operations and the error texts use.
// It is refreshed at start-up and on settings changes, before or between
// conversions, never while another thread reads it. A conversion takes its
// own copy through its context (engine/conversion_context.h).
const LeadByteSet& SystemLeadByteSet();
void RefreshLeadByteSet(Platform& platform);
inline bool DoubleByteSystem() { return SystemLeadByteSet().DoubleByteSystem(); }
inline bool IsLeadByte(unsigned char byte) { return SystemLeadByteSet().Contains(byte); }

// What the byte at `position` (counted from 1) is.
ByteKind ByteKindAt(std::string_view text, std::size_t position);
// Position of the last byte of `delimiters` in `text` that is not a trail
// byte; 0 when there is none.
std::size_t FindLastDelimiter(std::string_view delimiters, std::string_view text);

}  // namespace toridasu
