// Names the engine hands to the platform. A name is never cut short: a cut
// name could name another file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace toridasu {

// The longest name the platform's calls take: bytes for an ANSI name,
// UTF-16 units (what the wide calls take) for a UTF-8 one.
constexpr std::size_t kMaxFileNameLength = 259;

// 0 when `name` can be opened as it stands; otherwise the I/O code that
// refuses it: 3 for a name over the longest, 123 for an empty name or one
// with a NUL byte inside.
int32_t FileNameRefusal(std::string_view name, NameEncoding encoding);

}  // namespace toridasu
