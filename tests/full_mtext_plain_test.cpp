#include <gtest/gtest.h>

#include <string>

#include "full/mtext_plain.h"

namespace toridasu::full {
namespace {

TEST(FullMTextPlain, RemovesFormattingAndKeepsTheText) {
  const struct {
    std::string value, plain;
  } cases[] = {
      // From ezdxf__mtext_complex_inline_codes.
      {"{\\A1;Complex MTEXT content:}\\P\\P{\\C1;\\fTimes New Roman|b0|i0;\\H1.4x;\\A1;HEADLINE}"
       "{\\fTimes New Roman|b0|i0;\\H1.4x;\\P}\\P{\\C3;\\A1;Left aligned paragraph:}\\P\\pi0;x",
       "Complex MTEXT content:\n\nHEADLINE\n\nLeft aligned paragraph:\nx"},
      {"\\c255;\\F1;\\Q15;\\T1.2;\\W0.8;\\pxqc,i-1,l2;\\H2.5x;y", "y"},
      {"\\Lund\\l \\Oover\\o \\Kst\\k", "und over st"},
      {"a\\Pb\\Nc\\Xd\\~e", "a\nb\nc\nd e"},
      {"\\\\ \\{ \\} {\\}}", "\\ { } }"},
      {"\\S1^2;x \\S3/4; \\S5#6; \\S1\\;2^3; \\S2^; \\S^3; \\S1^ 2; \\S1/ 2; \\S+0.1^-0.2;",
       "1/2x 3/4 5/6 1;2/3 2 3 1/2 1/ 2 +0.1/-0.2"},
      // From dxfparser__blocks: a whole number and its fraction.
      {"2{\\H1.0x;\\S1#2;}\"", "2 1/2\""},
      // From gdal__text: escapes and codes inside a stack (ogr2ogr reads it alike,
      // but for the "/" between the parts).
      {"\\A1;test^Itext\\~\\pt0.2;{\\H0.7x;\\Sab\\/c\\~d%%p^ ef\\^ g.h\\#i;} j{\\L\\Ok\\ol}m",
       "test\ttext ab/c~d\xC2\xB1/ef^g.h#i jklm"},
      {"a^Ib^Jc^ d^M", "a\tb\nc^d\r"},
      {"\\U+00B0\\M+182A0 %%d%%p%%c %%u", "\xC2\xB0\xE3\x81\x82 \xC2\xB0\xC2\xB1\xC3\x98 %%u"},
      {"\\d \\U+12 ab", "\\d \\U+12 ab"},  // unknown codes stay
      {"%<\\AcObjProp Object(%<\\_ObjId 1>%).Area \\f \"%lu2\">%",
       "%<\\AcObjProp Object(%<\\_ObjId 1>%).Area \\f \"%lu2\">%"},  // a field as it stands
      // A value without its semicolon: the text goes on where the value cannot.
      {"a\\H2.5x b", "a b"},
      {"a\\C1b", "ab"},
      {"a\\pxqc b", "a b"},
      {"a\\fArial|b0 b\\Pc", "a\nc"},
      // Cut short: never past the end.
      {"ab\\", "ab"},
      {"ab\\H2", "ab"},
      {"ab\\S1^", "ab1"},
      {"ab\\S1^2", "ab1/2"},
      {"ab\\U+00", "ab\\U+00"},
      {"ab^", "ab^"},
  };
  for (const auto& c : cases) EXPECT_EQ(MTextToPlain(c.value), c.plain) << c.value;
}

}  // namespace
}  // namespace toridasu::full
