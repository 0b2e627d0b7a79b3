#include "engine/type_markers.h"

#include <gtest/gtest.h>

#include <string>

#include "support/fake_platform.h"

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
    {"MTEXT", "TEXT", true},
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
    {"\x9FTEXT", "TEXT", false},     // the edges of both lead ranges
    {"\xE0TEXT", "TEXT", false},
    {"\xFCTEXT", "TEXT", false},
    {"\xA0TEXT", "TEXT", true},  // just outside them
    {"\xFDTEXT", "TEXT", true},
    {"\x9F"
     "EOF",
     "EOF", false},
    {"entities", "ENTITIES", true},
    {"\x82\x60"
     "ENTITIES",
     "ENTITIES", true},
};

TEST(ContainsMarker, FindsTheWordInAnyCaseOutsideDoubleByteCharacters) {
  FakePlatform codePage932;
  const ConversionContext context = LocaleContext(codePage932);
  for (const MarkerCase& c : kMarkerCases) {
    EXPECT_EQ(ContainsMarker(c.value, c.marker, context), c.found) << c.value << " / " << c.marker;
    // A type line's two markers come from one upper-casing, by the same rule.
    const TypeMarkers markers = MarkersOfType(c.value, context);
    if (c.marker == kTextMarker) {
      EXPECT_EQ(markers.text, c.found) << c.value;
    }
    if (c.marker == kEndOfFileMarker) {
      EXPECT_EQ(markers.endOfFile, c.found) << c.value;
    }
  }
}

TEST(ContainsMarker, WithoutDoubleByteSupportEveryOccurrenceCounts) {
  FakePlatform singleByte;
  singleByte.doubleByte = false;
  const ConversionContext context = LocaleContext(singleByte);
  for (const char* value : {"\x83\x54"
                            "EXT",
                            "\x9FTEXT"}) {
    EXPECT_TRUE(ContainsMarker(value, "TEXT", context)) << value;
  }
}

}  // namespace
}  // namespace toridasu
