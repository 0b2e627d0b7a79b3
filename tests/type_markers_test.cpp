#include "engine/type_markers.h"

#include <gtest/gtest.h>

#include <string>

#include "support/code_page_932.h"

namespace toridasu {
namespace {

struct MarkerCase {
  std::string value;
  const char* marker;
  bool found;
};

const MarkerCase kMarkerCases[] = {
    {"TEXT", "TEXT", true},
    {"text", "TEXT", true},
    {"MText", "TEXT", true},
    {"CONTEXT", "TEXT", true},
    {"TEX", "TEXT", false},
    {"T EXT", "TEXT", false},
    {"eof", "EOF", true},
    {"", "EOF", false},
    {std::string("A\0EOF", 5), "EOF", false},  // the text ends at its NUL
    {"\x83\x54"
     "EXT",
     "TEXT", false},                 // サEXT: T is a second byte
    {"\x83\x54TEXT", "TEXT", true},  // サTEXT
    {"\x81\x81TEXT", "TEXT", true},  // a trail byte in the lead ranges
    {"entities", "ENTITIES", true},
    {"\x82\x60"
     "ENTITIES",
     "ENTITIES", true},
};

TEST(ContainsMarker, FindsTheWordInAnyCaseOutsideDoubleByteCharacters) {
  UseCodePage932();
  for (const MarkerCase& c : kMarkerCases) {
    EXPECT_EQ(ContainsMarker(c.value, c.marker), c.found) << c.value << " / " << c.marker;
  }
}

TEST(ContainsMarker, WithoutDoubleByteSupportEveryOccurrenceCounts) {
  UseSingleByteSystem();
  EXPECT_TRUE(
      ContainsMarker("\x83\x54"
                     "EXT",
                     "TEXT"));
  UseCodePage932();
}

}  // namespace
}  // namespace toridasu
