#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <optional>
#include <string>
#include <vector>

#include "engine/exact_csv_sink.h"
#include "full/csv_record_sink.h"
#include "io/byte_sink.h"
#include "jww/jww_conversion.h"
#include "model/columns.h"
#include "support/jww_drawing.h"

namespace toridasu::jww {
namespace {

using namespace std::string_literals;

constexpr double kQuarterTurn = std::numbers::pi / 2;

struct Converted {
  bool converted = false;
  std::string records;  // the lines after the header, each ending in LF
  std::optional<ConversionFailure> failure;
  std::vector<model::Warning> warnings;
};

std::string RecordsOf(const std::string& csv) {
  std::string records;
  for (std::size_t i = csv.find("\r\n") + 2; i < csv.size(); ++i) {
    if (csv[i] != '\r') records += csv[i];
  }
  return records;
}

Converted ConvertFull(const std::string& drawing, const char* columns, bool hidden) {
  MemorySource source(drawing);
  MemorySink output;
  full::FullOptions options;
  options.output.utf8 = true;
  options.output.columns = *model::ParseColumns(columns);
  options.texts.hidden = hidden;
  full::CsvRecordSink sink(output, options.output, '.');
  full::FullStats stats;
  Converted result;
  result.converted = ConvertJwwFull(source, sink, options, &stats);
  result.records = result.converted ? RecordsOf(output.Bytes()) : "";
  result.failure = stats.failure;
  result.warnings = stats.warnings;
  return result;
}

DrawnText At(double x, double y, std::string text, Placed on = {}) {
  DrawnText drawn;
  drawn.x = x;
  drawn.y = y;
  drawn.text = std::move(text);
  drawn.on = on;
  return drawn;
}

// Definitions 1 to `levels`, each holding a text and a reference to the next.
std::string Chain(uint32_t levels) {
  JwwDrawing drawing;
  drawing.Block(1, 0, 0);
  for (uint32_t n = 1; n <= levels; ++n) {
    drawing.BeginDefinition(n, std::to_string(n)).Text(At(0, 0, "t")).Block(n + 1, 1, 0);
  }
  return drawing.Bytes();
}

std::string EscapedCounts() {
  JwwDrawing drawing;
  drawing.Text(At(0, 0, "first"));
  for (int i = 0; i < 70000; ++i) drawing.Point(i, 0);
  // Met after 0x7FFF classes and objects: tags in their long form.
  drawing.Line(0, 0, 1, 1).Line(0, 0, 1, 1).Text(At(1, 0, "last")).Again(70002);
  return drawing.Bytes();
}

std::string Hidden() {
  JwwDrawing drawing;
  drawing.LayerState(0, 2, 0).GroupState(1, 0).LayerName(0, 2, "off");
  drawing.Text(At(0, 0, "shown", {0, 1})).Text(At(0, 0, "layer", {0, 2}));
  drawing.Text(At(0, 0, "group", {1, 0})).Block(1, 0, 0, 1, 1, 0, {0, 2});
  drawing.BeginDefinition(1, "B").Text(At(0, 0, "inside", {0, 1}));
  return drawing.Bytes();
}

// The drawing with the length of the string `text` replaced by `length`.
std::string WithLength(std::string bytes, const std::string& text, const std::string& length) {
  const std::size_t at = bytes.find(text) - 1;
  return bytes.replace(at, 1, length);
}

// The offset of `raw` in the drawing.
uint64_t OffsetOf(const std::string& drawing, const std::string& raw) { return drawing.find(raw); }

struct ReadingCase {
  const char* what;
  std::string drawing;
  const char* columns;
  const char* records;  // null: the drawing fails
  std::optional<model::Warning::Kind> warning = std::nullopt;
  std::optional<Damage> damage = std::nullopt;  // of the failure; else another kind
  uint64_t offset = 0;                          // of the failure or warning (0: not looked at)
  bool hidden = false;
};

const std::string kUnknownClass = "\xFF\xFF\x58\x02\x09\x00"s + "CDataFoo!";
const std::string kLongRecords =
    "\"" + std::string(300, 'x') + "\"\n\"\xF0\xA0\xAE\xB7\xE9\x87\x8E\"\n";
const std::string kNoSuchClass = "\x09\x80";

const ReadingCase kReadingCases[] = {
    {"version 600: Shift-JIS, points and heights at real size by the group's scale, layers named",
     JwwDrawing(600)
         .Scale(2, 100)
         .GroupName(2, "\x81\x40\x95\xBD\x96\xCA")  // "　平面"
         .LayerName(2, 3, " \x90\xE0\x96\xBE")      // " 説明"
         .Text(At(10, 20.5, "\x83\x54", {2, 3}))
         .Text(At(1, 1, "b", {0, 10}))
         .Bytes(),
     "x,y,text,layer,type,height,rotation,style",
     "1000,2050,\"\xE3\x82\xB5\",\"2-3 \xE5\xB9\xB3\xE9\x9D\xA2/\xE8\xAA\xAC\xE6\x98\x8E\","
     "\"TEXT\",250,0,\"MS Gothic\"\n1,1,\"b\",\"0-A\",\"TEXT\",2.5,0,\"MS Gothic\"\n"},
    {"version 700: UTF-16, a long string in its longer form, a character beyond 16 bits",
     JwwDrawing(700)
         .Text(At(0, 0, std::string(300, 'x')))
         .Text(At(0, 0, "\xF0\xA0\xAE\xB7\xE9\x87\x8E"))
         .Bytes(),
     "text", kLongRecords.c_str()},
    {"version 300: the older layout", JwwDrawing(300).Text(At(3, 4, "old")).Bytes(), "x,y,text",
     "3,4,\"old\"\n"},
    {"version 230: the oldest", JwwDrawing(230).Dimension(3, 4, "5").Bytes(), "x,y,text",
     "3,4,\"5\"\n"},
    {"a dimension's value, and a text marked as one, are DIMENSION",
     JwwDrawing(700)
         .Scale(0, 50)
         .Dimension(5, 6, "1,820")
         .Text(At(1, 1, "910", {0, 0, 0x0010}))
         .Bytes(),
     "x,y,text,type", "250,300,\"1,820\",\"DIMENSION\"\n50,50,\"910\",\"DIMENSION\"\n"},
    {"pictures and settings are no texts; a setting's words elsewhere are",
     [] {
       DrawnText setting = At(0, -1000, "Printer_Orientation = 0");
       setting.zeroLength = true;
       return JwwDrawing(700)
           .Text(At(0, 0, "^@BMphoto.bmp,100,80"))
           .Text(setting)
           .Text(At(0, 0, "Printer_Orientation = 0"))
           .Text(At(0, 0, ""))
           .Bytes();
     }(),
     "text", "\"Printer_Orientation = 0\"\n"},
    // Definition 1 holds "in1" and places definition 2, doubled and turned
    // by 90 degrees, at 0,1; definition 2 holds "in2" at 1,0. The reference
    // at the top puts 1 at 10,0 in a group of scale 10.
    {"blocks nested, scaled and turned, named without Jw_cad's flag, at the top's scale",
     JwwDrawing(700)
         .Scale(0, 10)
         .Block(1, 10, 0)
         .BeginDefinition(1, "door@@SfigorgFlag@@4")
         .Text(At(1, 0, "in1"))
         .Block(2, 0, 1, 2, 2, kQuarterTurn)
         .BeginDefinition(2, "knob")
         .Text(At(1, 0, "in2"))
         .Bytes(),
     "x,y,text,block,height,rotation",
     "110,0,\"in1\",\"door\",25,0\n100,30,\"in2\",\"door/knob\",50,90\n"},
    {"two definitions of one name, and one without a name, are told apart by their numbers",
     JwwDrawing(700)
         .Block(1, 0, 0)
         .Block(2, 0, 0)
         .Block(3, 0, 0)
         .BeginDefinition(1, "a")
         .Text(At(0, 0, "1"))
         .BeginDefinition(2, "A")
         .Text(At(0, 0, "2"))
         .BeginDefinition(3, "")
         .Text(At(0, 0, "3"))
         .Bytes(),
     "text,block", "\"1\",\"a\"\n\"2\",\"A#2\"\n\"3\",\"#3\"\n"},
    {"counts and tags escaped past 65,534, an object met before not written twice", EscapedCounts(),
     "x,text", "0,\"first\"\n1,\"last\"\n"},
    {"hidden layers and groups, and a reference on a hidden layer, hide their texts", Hidden(),
     "text,layer", "\"shown\",\"0-1\"\n"},
    {"... which --hidden writes, not visible", Hidden(), "text,layer,visible",
     "\"shown\",\"0-1\",1\n\"layer\",\"0-2 off\",0\n\"group\",\"1-0\",0\n\"inside\",\"0-1\",0\n",
     std::nullopt, std::nullopt, 0, true},
    {"a drawing cut short gives the texts before the cut, with a warning where it ends",
     [] {
       const std::string whole = JwwDrawing().Text(At(0, 0, "a")).Text(At(0, 0, "b")).Bytes();
       return whole.substr(0, whole.size() - 20);
     }(),
     "text", "\"a\"\n", model::Warning::Kind::kCutDrawing},
    {"a count past the objects reads on to the end, with a warning",
     JwwDrawing().Text(At(0, 0, "a")).CountAs(0xFFFFFFF0).Bytes(), "text", "\"a\"\n",
     model::Warning::Kind::kCutDrawing},
    {"a string longer than any drawing's fails where its length stands",
     WithLength(JwwDrawing().Text(At(0, 0, "abc")).Bytes(), "abc",
                std::string("\xFF\xFF\xFF\xFF\xFF\xFF\x7F", 7)),
     "text", nullptr, std::nullopt, Damage::kBadCount},
    {"an unknown class fails at its tag", JwwDrawing().RawObject(kUnknownClass).Bytes(), "text",
     nullptr, std::nullopt, Damage::kUnknownClass,
     OffsetOf(JwwDrawing().RawObject(kUnknownClass).Bytes(), kUnknownClass)},
    {"a class that was never named fails at its tag",
     JwwDrawing().Text(At(0, 0, "a")).RawObject(kNoSuchClass).Bytes(), "text", nullptr,
     std::nullopt, Damage::kBadReference,
     JwwDrawing().Text(At(0, 0, "a")).Bytes().size() - 2},  // before the empty block list
    {"an object standing where a class must",
     JwwDrawing().Text(At(0, 0, "a")).RawObject(std::string("\x02\x80", 2)).Bytes(), "text",
     nullptr, std::nullopt, Damage::kBadReference},
    {"a block definition among the drawing's objects",
     [] {
       JwwDrawing inner;
       inner.BeginDefinition(1, "B");
       const std::string bytes = inner.Bytes();
       // The definition's own tag and fields, moved into the drawing's list.
       const std::string tag = "\xFF\xFF\x58\x02\x09\x00"s + "CDataList";
       return JwwDrawing().RawObject(bytes.substr(bytes.find(tag), std::string::npos)).Bytes();
     }(),
     "text", nullptr, std::nullopt, Damage::kMisplacedObject},
    {"a version no Jw_cad wrote",
     [] {
       std::string bytes = JwwDrawing().Text(At(0, 0, "a")).Bytes();
       bytes[8] = 100;
       bytes[9] = 0;
       return bytes;
     }(),
     "text", nullptr, std::nullopt, Damage::kUnknownVersion, 8},
    {"a block that contains itself is cut, with a warning",
     JwwDrawing()
         .Block(1, 0, 0)
         .BeginDefinition(1, "self")
         .Text(At(0, 0, "x"))
         .Block(1, 5, 0)
         .Bytes(),
     "x,text", "0,\"x\"\n", model::Warning::Kind::kBlockCycle},
    {"nesting deeper than 16 levels is cut, with a warning", Chain(20), "x,text",
     "0,\"t\"\n1,\"t\"\n2,\"t\"\n3,\"t\"\n4,\"t\"\n5,\"t\"\n6,\"t\"\n7,\"t\"\n8,\"t\"\n9,\"t\"\n"
     "10,\"t\"\n11,\"t\"\n12,\"t\"\n13,\"t\"\n14,\"t\"\n15,\"t\"\n",
     model::Warning::Kind::kTooDeep},
    {"a reference to a number no definition has", JwwDrawing().Block(7, 0, 0).Bytes(), "text", "",
     model::Warning::Kind::kMissingBlock},
    {"bytes Shift-JIS does not define fail at their text",
     JwwDrawing(600).Text(At(0, 0, "\x85\x40")).Bytes(), "text", nullptr},
};

TEST(JwwReading, ReadsTextsBlocksAndDamage) {
  for (const ReadingCase& c : kReadingCases) {
    const Converted result = ConvertFull(c.drawing, c.columns, c.hidden);
    EXPECT_EQ(result.converted, c.records != nullptr) << c.what;
    if (c.records) {
      EXPECT_EQ(result.records, c.records) << c.what;
    }
    std::vector<model::Warning::Kind> warnings, expected;
    for (const model::Warning& warning : result.warnings) warnings.push_back(warning.kind);
    if (c.warning) expected.push_back(*c.warning);
    EXPECT_EQ(warnings, expected) << c.what;
    if (c.warning == model::Warning::Kind::kCutDrawing) {
      EXPECT_EQ(result.warnings.front().line, c.drawing.size()) << c.what;
    }
    if (c.records) continue;
    ASSERT_TRUE(result.failure) << c.what;
    EXPECT_EQ(result.failure->kind, c.damage ? FailureKind::kDamaged : FailureKind::kUndefinedBytes)
        << c.what;
    if (c.damage) {
      EXPECT_EQ(result.failure->damage, *c.damage) << c.what;
    }
    if (c.offset != 0) {
      EXPECT_EQ(result.failure->line, c.offset) << c.what;
    }
    EXPECT_NE(result.failure->line, 0u) << c.what;
  }
}

// The default mode: the point, and the text in Shift-JIS, a version-600
// string's bytes as they stand.
struct ExactCase {
  const char* what;
  std::string drawing;
  bool replace;
  const char* records;  // null: fails with kUnencodable
};

const ExactCase kExactCases[] = {
    {"version 600: the bytes as they stand, even those Shift-JIS does not define",
     JwwDrawing(600).Scale(0, 2).Text(At(1.25, 2, "\x85\x40\x83\x54 \"q\"")).Bytes(), false,
     "2.5,4,0,\"\x85\x40\x83\x54 \x81\x68q\x81\x68\"\n"},
    {"version 700: encoded to Shift-JIS, diameter signs as \xCF\x86",
     JwwDrawing(700)
         .Text(At(0, 0,
                  "\xE3\x82\xB5\xC3\x98"
                  "50"))
         .Bytes(),
     false, "0,0,0,\"\x83\x54\x83\xD3\x35\x30\"\n"},
    {"a character Shift-JIS lacks fails", JwwDrawing(700).Text(At(0, 0, "caf\xC3\xA9")).Bytes(),
     false, nullptr},
    {"... or becomes ? with --invalid replace",
     JwwDrawing(700).Text(At(0, 0, "caf\xC3\xA9")).Bytes(), true, "0,0,0,\"caf?\"\n"},
};

TEST(JwwReading, DefaultModeWritesShiftJis) {
  for (const ExactCase& c : kExactCases) {
    MemorySource source(c.drawing);
    MemorySink output;
    ExactCsvSink sink(output, {});
    ExactChoice choice;
    choice.replace = c.replace;
    ExactStats stats;
    const bool converted = ConvertJwwExact(source, sink, choice, &stats);
    EXPECT_EQ(converted, c.records != nullptr) << c.what;
    if (c.records) {
      EXPECT_EQ(RecordsOf(output.Bytes()), c.records) << c.what;
    } else {
      ASSERT_TRUE(stats.failure) << c.what;
      EXPECT_EQ(stats.failure->kind, FailureKind::kUnencodable) << c.what;
      EXPECT_EQ(stats.failure->detail, "\xC3\xA9") << c.what;
    }
  }
}

}  // namespace
}  // namespace toridasu::jww
