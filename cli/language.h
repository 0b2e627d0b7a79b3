// The user's language for the converter's messages.
#pragma once

namespace toridasu::cli {

// Whether the user's locale asks for Japanese messages; TORIDASU_LANG=en or
// TORIDASU_LANG=ja in the environment chooses instead.
bool UserPrefersJapanese();

}  // namespace toridasu::cli
