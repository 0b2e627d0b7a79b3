#include <gtest/gtest.h>

#include <string_view>

#include "text/encoding_names.h"

namespace toridasu::text {
namespace {

TEST(EncodingNames, NamesOfDrawingsAndOfUsers) {
  const struct {
    std::string_view name;
    int drawing;  // as $DWGCODEPAGE
    int user;     // as --input-encoding
    int output;   // as --encoding
  } cases[] = {
      {"ANSI_1252", 1252, 1252, 0},
      {"ansi_932", 932, 932, 0},
      {"DOS932", 932, 932, 0},
      {"dos850", 850, 850, 0},
      {"MAC-ROMAN", 10000, 10000, 0},
      {"Big5", 950, 950, 0},
      {"GB2312", 936, 936, 0},
      {"KSC5601", 949, 949, 0},
      {"ANSI_874", 874, 874, 0},
      {"ANSI_1258", 1258, 1258, 0},
      {"ANSI_1361", 0, 0, 0},
      {"JOHAB", 0, 0, 0},
      {"ANSI_9999", 0, 0, 0},
      {"", 0, 0, 0},
      {"utf-8", 65001, 65001, 65001},
      {"UTF8", 65001, 65001, 65001},
      {"cp932", 0, 932, 932},
      {"Shift_JIS", 0, 932, 932},
      {"sjis", 0, 932, 932},
      {"windows-1252", 0, 1252, 0},
      {"CP1251", 0, 1251, 0},
      {"ms932", 0, 932, 0},
      {"gbk", 0, 936, 0},
      {"latin-9", 0, 0, 0},
      {"cp99999999999", 0, 0, 0},
      {"1252", 0, 1252, 0},
      {"1234", 0, 0, 0},
      {"shift-jis", 0, 932, 932},
      {"shift jis", 0, 932, 0},  // a blank is no separator in an output's name
      {"932", 0, 932, 0},
      {"Windows-31J", 0, 932, 0},
      {"ANSI_932", 932, 932, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CodePageFromDrawingName(c.name), c.drawing) << c.name;
    EXPECT_EQ(CodePageFromEncodingName(c.name), c.user) << c.name;
    EXPECT_EQ(CodePageFromName(c.name, EncodingNameUse::kOutput), c.output) << c.name;
  }
}

}  // namespace
}  // namespace toridasu::text
