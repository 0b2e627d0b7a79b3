// A Jw_cad drawing's strings as the conversion wants them. Up to version 600
// they are Shift-JIS; Jw_cad 8 writes UTF-16LE. Names (layers, blocks, fonts)
// become UTF-8 and never fail. Texts become UTF-8 for full mode, or
// Shift-JIS bytes for the default mode: a Shift-JIS string's own bytes as
// they stand, a UTF-16 one encoded.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "jww/archive_reader.h"

namespace toridasu::jww {

struct StringChoice {
  bool shiftJis = false;  // texts as Shift-JIS bytes, else UTF-8
  int codePage = 932;     // of Shift-JIS strings (the user may name another)
  // UTF-8: undefined bytes become U+FFFD; Shift-JIS: characters it lacks "?".
  bool replace = false;
};

// UTF-16LE as UTF-8; an unpaired surrogate (or a last odd byte) as U+FFFD.
void AppendUtf16AsUtf8(std::string_view utf16, std::string& out);

// A name in UTF-8, undefined bytes as U+FFFD.
std::string NameOf(const ArchiveString& name, int codePage);

// The text as `choice` wants it, in `out` (replaced). A string it cannot
// give raises the conversion's failure at `offset`: undefined bytes
// (kUndefinedBytes) or a character Shift-JIS lacks (kUnencodable). In UTF-8,
// control characters other than the tab become U+FFFD; the return value
// counts them.
uint64_t TextOf(const ArchiveString& text, const StringChoice& choice, uint64_t offset,
                std::string& out);

}  // namespace toridasu::jww
