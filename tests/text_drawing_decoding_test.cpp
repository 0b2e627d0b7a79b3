#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "text/drawing_decoding.h"

namespace toridasu::text {
namespace {

TEST(DrawingDecoding, ChoosesTheDrawingsDecoding) {
  const struct {
    int userChoice;
    std::string_view version, codePage;
    int decoding, fallback;
  } cases[] = {
      {0, "AC1021", "ANSI_1252", kUtf8CodePage, 1252},
      {0, "AC1032", "ansi_932", kUtf8CodePage, 932},
      {0, "AC1027", "", kUtf8CodePage, 932},
      {0, "AC1018", "ANSI_1251", 1251, 0},
      {0, "AC1009", "DOS437", 437, 0},
      {0, "AC1015", "ANSI_4711", 932, 0},  // unknown code page
      {0, "", "", 932, 0},                 // no header
      {0, "", "ANSI_1250", 1250, 0},
      {0, "ACXXXX", "ANSI_1250", 1250, 0},
      {1252, "AC1021", "ANSI_932", 1252, 0},  // the user's choice wins
      {kUtf8CodePage, "AC1009", "", kUtf8CodePage, 0},
  };
  for (const auto& c : cases) {
    const DrawingDecoding d = ChooseDecoding(c.userChoice, c.version, c.codePage);
    EXPECT_EQ(d.codePage, c.decoding) << c.version << " " << c.codePage;
    EXPECT_EQ(d.fallbackCodePage, c.fallback) << c.version << " " << c.codePage;
  }
}

TEST(DrawingDecoding, AUtf8DrawingFallsBackOnceAndOnlyForWholeTexts) {
  TextDecoder decoder(ChooseDecoding(0, "AC1021", "ANSI_932"), false);
  std::string out;
  EXPECT_EQ(decoder.Decode("\xE3\x81\x82", out), TextDecoder::Result::kDecoded);
  EXPECT_EQ(decoder.Decode("\x82\xA0", out), TextDecoder::Result::kDecodedByFallback);
  EXPECT_EQ(decoder.Decode("\x82\xA2", out), TextDecoder::Result::kDecoded);  // warned already
  EXPECT_EQ(out, "\xE3\x81\x82\xE3\x81\x82\xE3\x81\x84");                     // あああい
  EXPECT_TRUE(decoder.UsedFallback());
  // Neither UTF-8 nor code page 932: the UTF-8 rule decides.
  std::size_t at = 0;
  EXPECT_EQ(decoder.Decode("ok\x85\x40", out, &at), TextDecoder::Result::kUndefined);
  EXPECT_EQ(at, 2u);
  TextDecoder replacing(ChooseDecoding(0, "AC1021", "ANSI_932"), true);
  out.clear();
  EXPECT_EQ(replacing.Decode("ok\x85\x40", out), TextDecoder::Result::kDecoded);
  EXPECT_EQ(out, "ok\xEF\xBF\xBD@");
}

}  // namespace
}  // namespace toridasu::text
