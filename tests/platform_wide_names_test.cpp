#include <gtest/gtest.h>

#include <string>

#include "platform/wide_names.h"

namespace toridasu {
namespace {

struct NameCase {
  const char* what;
  std::string utf8;
  std::u16string utf16;
};

// Every name the wide calls give comes back to them unchanged, a lone
// surrogate of a Windows name included.
TEST(PlatformWideNames, NamesTravelBothWaysUnchanged) {
  const NameCase cases[] = {
      {"ASCII", "plan.dxf", u"plan.dxf"},
      {"Latin", "caf\xC3\xA9", u"caf\u00E9"},
      {"outside the BMP", "\xF0\xA0\xAE\xB7\xE9\x87\x8E\xE9\x82\xB8", u"\xD842\xDFB7\u91CE\u90B8"},
      {"lone high surrogate", "a\xED\xA0\x80", u"a\xD800"},
      {"low before high", "\xED\xB0\x80\xED\xA0\x80", u"\xDC00\xD800"},
      {"empty", "", u""},
  };
  for (const NameCase& c : cases) {
    EXPECT_EQ(Utf16FromUtf8(c.utf8), c.utf16) << c.what;
    EXPECT_EQ(Utf8FromUtf16(c.utf16), c.utf8) << c.what;
  }
}

TEST(PlatformWideNames, BytesThatAreNoUtf8BecomeReplacementCharacters) {
  const NameCase cases[] = {
      {"not a lead byte", "a\xFF!", u"a\uFFFD!"},
      {"overlong slash", "\xC0\xAF", u"\uFFFD\uFFFD"},
      {"cut short", "\xE9\x87", u"\uFFFD\uFFFD"},
      {"past U+10FFFF", "\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
  };
  for (const NameCase& c : cases) EXPECT_EQ(Utf16FromUtf8(c.utf8), c.utf16) << c.what;
}

}  // namespace
}  // namespace toridasu
