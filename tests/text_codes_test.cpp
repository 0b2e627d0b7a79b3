#include "text/text_codes.h"

#include <gtest/gtest.h>

#include <string>

namespace toridasu::text {
namespace {

TEST(TextCodes, DecodesWhatAUserSees) {
  const struct {
    std::string value, shown;
  } cases[] = {
      {"OBLIQUE 15%%d", "OBLIQUE 15\xC2\xB0"},  // ezdxf__text_oblique_rotate
      {"%%c50 %%p0.1 %%D%%P%%C",
       "\xC3\x98"
       "50 \xC2\xB1"
       "0.1 \xC2\xB0\xC2\xB1\xC3\x98"},
      {"%%uUNDER%%u %%oover%%O %%kstruck", "UNDER over struck"},
      {"100%%% %%176 %%0651", "100% \xC2\xB0 A1"},  // %%nnn: three digits
      {"%%031 %%x %% 50%", "%%031 %%x %% 50%"},     // not codes
      {"90%%127 %%1292.0 %%128",
       "90\xC2\xB0 \xC3\x98"
       "2.0 \xC2\xB1"},  // libredwg__r2.6-dim
      {"\\U+00B0\\U+3042\\u+3042", "\xC2\xB0\xE3\x81\x82\\u+3042"},
      {"\\U+D83D\\U+DE00!", "\xF0\x9F\x98\x80!"},  // a surrogate pair
      {"\\U+D83Dx \\U+DE00 \\U+12G4 \\U+12", "\\U+D83Dx \\U+DE00 \\U+12G4 \\U+12"},
      {"\\M+182A0\\M+5D6D0\\M+3C7D1\\M+2A4A4", "\xE3\x81\x82\xE4\xB8\xAD\xED\x95\x9C\xE4\xB8\xAD"},
      {"\\M+4A4A4 \\M+68140 \\M+18540 \\M+1B1B1 \\M+00041",
       "\\M+4A4A4 \\M+68140 \\M+18540 \\M+1B1B1 \\M+00041"},
      {"a^Ib^ c^2^", "a\tb^c^2^"},           // caret-encoded tab and caret
      {"^i^j^@", std::string("\t\n\0", 3)},  // either letter case; NUL is the feeder's to replace
      {"\\P%%", "\\P%%"},                    // no MTEXT codes here
  };
  for (const auto& c : cases) EXPECT_EQ(DecodeTextCodes(c.value), c.shown) << c.value;
}

}  // namespace
}  // namespace toridasu::text
