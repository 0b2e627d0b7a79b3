// Names the engine hands to the platform. A name is never cut short: a cut
// name could name another file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace toridasu {

constexpr std::size_t kMaxFileNameBytes = 259;

// 0 when `name` can be opened as it stands; otherwise the I/O code that
// refuses it: 3 for a name over 259 bytes, 123 for an empty name or one with
// a NUL byte inside.
int32_t FileNameRefusal(std::string_view name);

}  // namespace toridasu
