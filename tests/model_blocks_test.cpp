// Texts shown through block references and dimensions: placed by composed
// transforms, cut with a warning where a drawing would never end.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "support/full_drawing.h"

namespace toridasu::full {
namespace {

// Block B (base point 1,0) holds the text "t" at 2,0, height 1; OUTER holds a
// reference to B at 5,0 turned by 90 degrees, with an attribute at 5,2; L
// holds a text on layer 0, one on its own layer and a reference to B.
const std::string kBlocks =
    "0|SECTION|2|BLOCKS|0|BLOCK|2|B|10|1|20|0|30|0|0|TEXT|10|2|20|0|40|1|1|t|"
    "0|ATTDEF|10|0|20|0|1|template|2|TAG|0|ENDBLK|"
    "0|BLOCK|2|OUTER|10|0|20|0|0|INSERT|2|B|10|5|20|0|50|90|66|1|"
    "0|ATTRIB|10|5|20|2|1|a|2|TAG|0|SEQEND|0|ENDBLK|"
    "0|BLOCK|2|L|0|TEXT|8|0|1|zero|0|TEXT|8|ON|1|own|0|INSERT|2|B|0|ENDBLK|"
    "0|BLOCK|2|*D1|0|MTEXT|10|3|20|4|1|12.5|0|ENDBLK|0|ENDSEC|";

// The dimension style TWO shows two decimal places; the layer OFF is off,
// FROZEN is frozen, ON is shown.
const std::string kTables =
    "0|SECTION|2|TABLES|0|TABLE|2|DIMSTYLE|0|DIMSTYLE|2|TWO|271|2|0|ENDTAB|"
    "0|TABLE|2|LAYER|0|LAYER|2|OFF|62|-7|70|0|0|LAYER|2|FROZEN|62|7|70|1|"
    "0|LAYER|2|ON|62|1|70|0|0|ENDTAB|0|ENDSEC|";

std::string WithBlocks(std::string_view entities, std::string_view header = "") {
  return Dxf(std::string(header) + kTables + kBlocks + "0|SECTION|2|ENTITIES|" +
             std::string(entities) + "|0|ENDSEC|0|EOF");
}

struct PlacementCase {
  const char* what;
  const char* entities;
  const char* records;      // x,y,z,text,height,rotation,block
  const char* header = "";  // a HEADER section before the drawing's tables
};

// Expected points worked out by hand from the definitions above.
const PlacementCase kPlacementCases[] = {
    {"scale", "0|INSERT|2|B|10|10|20|10|41|2|42|3", "12,10,0,\"t\",3,0,\"B\"\n"},
    {"negative scale mirrors", "0|INSERT|2|B|10|10|20|10|41|-1", "9,10,0,\"t\",1,180,\"B\"\n"},
    {"rotation", "0|INSERT|2|B|10|10|20|10|50|90", "10,11,0,\"t\",1,90,\"B\"\n"},
    {"nested rotation with base points, attribute in world coordinates",
     "0|INSERT|2|OUTER|10|100|20|0|50|90",
     "98,5,0,\"a\",0,90,\"OUTER/B\"\n99,5,0,\"t\",1,180,\"OUTER/B\"\n"},
    {"extrusion 0,0,-1", "0|INSERT|2|B|10|10|20|10|210|0|220|0|230|-1",
     "-11,10,0,\"t\",1,180,\"B\"\n"},
    {"a table's block, by its insertion point and direction; its cells then not again",
     "0|ACAD_TABLE|2|B|10|10|20|10|11|0|21|1|142|5|171|1|1|t", "10,11,0,\"t\",1,90,\"B\"\n"},
    {"MINSERT grid", "0|INSERT|2|B|10|10|20|10|70|2|71|2|44|5|45|7",
     "11,10,0,\"t\",1,0,\"B\"\n16,10,0,\"t\",1,0,\"B\"\n11,17,0,\"t\",1,0,\"B\"\n"
     "16,17,0,\"t\",1,0,\"B\"\n"},
    {"MINSERT with more columns than rows", "0|INSERT|2|B|10|10|20|10|70|3|71|2|44|5|45|7",
     "11,10,0,\"t\",1,0,\"B\"\n16,10,0,\"t\",1,0,\"B\"\n21,10,0,\"t\",1,0,\"B\"\n"
     "11,17,0,\"t\",1,0,\"B\"\n16,17,0,\"t\",1,0,\"B\"\n21,17,0,\"t\",1,0,\"B\"\n"},
    {"MINSERT attributes move with each cell",
     "0|INSERT|2|B|10|10|20|10|70|2|44|5|66|1|0|ATTRIB|10|3|20|3|1|g|0|SEQEND",
     "3,3,0,\"g\",0,0,\"B\"\n11,10,0,\"t\",1,0,\"B\"\n8,3,0,\"g\",0,0,\"B\"\n"
     "16,10,0,\"t\",1,0,\"B\"\n"},
    {"a dimension's block, or its own text",
     "0|DIMENSION|2|*D1|0|DIMENSION|2|*D9|1|L=<>|42|2.5|11|7|21|8",
     "3,4,0,\"12.5\",0,0,\"*D1\"\n7,8,0,\"L=2.5000\",0,0,\"*D9\"\n"},
    // Without their block, dimensions measure between their points (the
    // writers' -1 and 0 say nothing), with their style's decimal places.
    {"rotated, 42 of 0, the style's decimals",
     "0|DIMENSION|2|*D9|3|two|42|0|13|1|23|2|14|55.33|24|9|50|0", "0,0,0,\"54.33\",0,0,\"*D9\"\n"},
    {"aligned, its own decimals",
     "0|DIMENSION|2|*D9|70|33|1|<> mm|13|0|23|0|14|3|24|4|1001|ACAD|"
     "1000|DSTYLE|1002|{|1070|40|1040|2|1070|271|1070|1|1002|}",
     "0,0,0,\"5.0 mm\",0,0,\"*D9\"\n"},
    {"angle of two lines, 42 of -1, the drawing's decimals",
     "0|DIMENSION|2|*D9|70|2|42|-1|1|<>|13|0|23|0|14|10|24|0|15|1|25|1.7320508|10|2|20|3.4641016",
     "0,0,0,\"60\xC2\xB0\",0,0,\"*D9\"\n", "0|SECTION|2|HEADER|9|$DIMDEC|70|0|0|ENDSEC|"},
    {"angle of three points, its arc on the far side",
     "0|DIMENSION|2|*D9|70|5|15|0|25|0|13|1|23|0|14|0|24|1|16|-1|26|-1",
     "0,0,0,\"270.0000\xC2\xB0\",0,0,\"*D9\"\n"},
    {"radius", "0|DIMENSION|2|*D9|70|4|1|R<>|10|1|20|1|15|4|25|5",
     "0,0,0,\"R5.0000\",0,0,\"*D9\"\n"},
    {"diameter", "0|DIMENSION|2|*D9|70|3|1|%%c<>|15|0|25|0|10|0|20|6",
     "0,0,0,\"\xC3\x98"
     "6.0000\",0,0,\"*D9\"\n"},
    {"X ordinate", "0|DIMENSION|2|*D9|70|70|10|1|20|1|13|4|23|9", "0,0,0,\"3.0000\",0,0,\"*D9\"\n"},
};

TEST(ModelBlocks, PlacesTextsThroughReferences) {
  for (const PlacementCase& c : kPlacementCases) {
    const Converted result =
        Convert(WithBlocks(c.entities, c.header), Utf8("x,y,z,text,height,rotation,block"));
    EXPECT_TRUE(result.converted) << c.what;
    EXPECT_EQ(result.records, c.records) << c.what;
  }
}

struct SwitchCase {
  const char* what;
  bool blocks;
  bool dimensions;
  std::vector<std::string> types;
  const char* records;
  const char* layers = "";
};

// The reference's attribute and B's text take the reference's layer Doors,
// the dimension block's text the dimension's layer 寸法.
TEST(ModelBlocks, SwitchesLeaveTextsOut) {
  // The table at the end shows OUTER: the attribute of its reference to B, and B's text.
  const SwitchCase cases[] = {
      {"all", true, true, {}, "\"a\"\n\"t\"\n\"12.5\"\n\"m\"\n\"a\"\n\"t\"\n"},
      {"--no-blocks (top attributes and tables kept, no reference in them drawn)",
       false,
       true,
       {},
       "\"a\"\n\"12.5\"\n\"m\"\n\"a\"\n"},
      {"--no-dimensions", true, false, {}, "\"a\"\n\"t\"\n\"m\"\n\"a\"\n\"t\"\n"},
      {"--types", true, true, {"ATTRIB", "MTEXT"}, "\"a\"\n\"m\"\n"},
      {"--types with tables", true, true, {"ACAD_TABLE"}, "\"a\"\n\"t\"\n"},
      {"--layers: wildcards, any letter case",
       true,
       true,
       {},
       "\"a\"\n\"t\"\n\"m\"\n",
       "d*, WALLS-?"},
      {"--layers: ? is one character, not one byte", true, true, {}, "\"12.5\"\n", "?\xE6\xB3\x95"},
  };
  for (const SwitchCase& c : cases) {
    FullOptions options = Utf8("text");
    options.texts.blocks = c.blocks;
    options.texts.dimensions = c.dimensions;
    options.texts.types = c.types;
    options.texts.layers = model::LayerPatterns(c.layers);
    const Converted result =
        Convert(WithBlocks("0|INSERT|2|B|8|Doors|66|1|0|ATTRIB|1|a|0|SEQEND|"
                           "0|DIMENSION|2|*D1|8|\xE5\xAF\xB8\xE6\xB3\x95|0|MTEXT|8|walls-1|1|m|"
                           "0|ACAD_TABLE|2|OUTER",
                           "0|SECTION|2|HEADER|9|$ACADVER|1|AC1027|0|ENDSEC|"),
                options);
    EXPECT_EQ(result.records, c.records) << c.what;
  }
}

struct HiddenCase {
  const char* what;
  const char* entities;
  const char* records;  // text,layer,visible with --hidden
};

// What the drawing hides: written with its visible column under --hidden,
// else left out and counted.
TEST(ModelBlocks, LeavesOutWhatTheDrawingHides) {
  const HiddenCase cases[] = {
      {"a layer that is off, a frozen one (any letter case)",
       "0|TEXT|8|OFF|1|x|0|TEXT|8|frozen|1|y|0|TEXT|8|ON|1|z",
       "\"x\",\"OFF\",0\n\"y\",\"frozen\",0\n\"z\",\"ON\",1\n"},
      {"60 = 1, no layer: layer 0", "0|TEXT|60|1|1|x|0|MTEXT|60|0|1|y",
       "\"x\",\"0\",0\n\"y\",\"0\",1\n"},
      {"an invisible attribute (flag 1; 8 is not)",
       "0|INSERT|2|B|66|1|0|ATTRIB|70|1|8|ON|1|a|0|ATTRIB|70|8|8|ON|1|b|0|SEQEND",
       "\"a\",\"ON\",0\n\"b\",\"ON\",1\n\"t\",\"0\",1\n"},
      {"a reference on a layer that is off: what takes its layer, through each level",
       "0|INSERT|2|L|8|OFF", "\"zero\",\"OFF\",0\n\"own\",\"ON\",1\n\"t\",\"OFF\",0\n"},
      {"a reference on a frozen layer: all it shows, attributes too",
       "0|INSERT|2|L|8|FROZEN|66|1|0|ATTRIB|8|ON|1|a|0|SEQEND",
       "\"a\",\"ON\",0\n\"zero\",\"FROZEN\",0\n\"own\",\"ON\",0\n\"t\",\"FROZEN\",0\n"},
      {"an invisible reference: all it shows, attributes too",
       "0|INSERT|2|L|8|ON|60|1|66|1|0|ATTRIB|1|a|0|SEQEND",
       "\"a\",\"ON\",0\n\"zero\",\"ON\",0\n\"own\",\"ON\",0\n\"t\",\"ON\",0\n"},
      {"a dimension on a layer that is off", "0|DIMENSION|2|*D1|8|OFF", "\"12.5\",\"OFF\",0\n"},
  };
  for (const HiddenCase& c : cases) {
    FullOptions options = Utf8("text,layer,visible");
    options.texts.hidden = true;
    const Converted all = Convert(WithBlocks(c.entities), options);
    EXPECT_EQ(all.records, c.records) << c.what;
    EXPECT_EQ(all.stats.hidden, 0u) << c.what;

    options.texts.hidden = false;
    const Converted shown = Convert(WithBlocks(c.entities), options);
    std::string visible;
    uint64_t hidden = 0;
    std::istringstream lines(c.records);
    for (std::string line; std::getline(lines, line);) {
      if (line.ends_with(",1")) visible += line + "\n";
      if (line.ends_with(",0")) ++hidden;
    }
    EXPECT_EQ(shown.records, visible) << c.what;
    EXPECT_EQ(shown.stats.hidden, hidden) << c.what;
  }
}

// A chain of `depth` blocks, each referencing the next, the last with a text.
std::string Chain(int depth) {
  std::string pairs = "0|SECTION|2|BLOCKS|";
  for (int i = 0; i < depth; ++i) {
    pairs += "0|BLOCK|2|C" + std::to_string(i) + "|";
    pairs += i + 1 < depth ? "0|INSERT|2|C" + std::to_string(i + 1) + "|" : "0|TEXT|1|deep|";
    pairs += "0|ENDBLK|";
  }
  return Dxf(pairs + "0|ENDSEC|0|SECTION|2|ENTITIES|0|INSERT|2|C0|0|ENDSEC|0|EOF");
}

struct LimitCase {
  const char* what;
  std::string drawing;
  model::Warning::Kind warning;
  const char* detail;
  const char* records;
};

// Each kind of trouble: one warning with its line, and the drawing converts.
TEST(ModelBlocks, WarnsOnceAndConverts) {
  const LimitCase cases[] = {
      {"a block that contains itself through another",
       Dxf("0|SECTION|2|BLOCKS|0|BLOCK|2|A|0|INSERT|2|Z2|0|TEXT|1|x|0|ENDBLK|"
           "0|BLOCK|2|Z2|0|INSERT|2|a|0|ENDBLK|0|ENDSEC|"
           "0|SECTION|2|ENTITIES|0|INSERT|2|A|0|INSERT|2|A|0|ENDSEC|0|EOF"),
       model::Warning::Kind::kBlockCycle, "a", "\"x\"\n\"x\"\n"},
      {"a missing block", Entities("0|INSERT|2|NONE|0|TEXT|1|after"),
       model::Warning::Kind::kMissingBlock, "NONE", "\"after\"\n"},
      {"nesting too deep", Chain(40), model::Warning::Kind::kTooDeep, "C16", ""},
      {"an unknown code page reads as 932",
       Dxf("0|SECTION|2|HEADER|9|$DWGCODEPAGE|3|ANSI_9999|0|ENDSEC") +
           Entities("0|TEXT|1|\x83\x54|0|TEXT|1|b"),
       model::Warning::Kind::kUnknownCodePage, "ANSI_9999", "\"\xE3\x82\xB5\"\n\"b\"\n"},
      {"a UTF-8 drawing whose first text read in its code page is a name",
       Dxf("0|SECTION|2|HEADER|9|$ACADVER|1|AC1027|9|$DWGCODEPAGE|3|ANSI_932|0|ENDSEC|"
           "0|SECTION|2|TABLES|0|TABLE|2|BLOCK_RECORD|0|BLOCK_RECORD|5|1F|2|\x83\x54|"
           "0|ENDTAB|0|ENDSEC") +
           Entities("0|TEXT|1|b"),
       model::Warning::Kind::kFallbackCodePage, "932", "\"b\"\n"},
      {"a SECTION inside the entities is read on",
       Dxf("0|SECTION|2|ENTITIES|0|TEXT|1|a|0|SECTION|2|ODD|0|TEXT|1|b|0|ENDSEC|0|TEXT|1|c|"
           "0|ENDSEC|0|EOF"),
       model::Warning::Kind::kNestedSection, "", "\"a\"\n\"b\"\n\"c\"\n"},
      {"a block defined twice: the later definition",
       Dxf("0|SECTION|2|BLOCKS|0|BLOCK|2|B|0|TEXT|1|one|0|ENDBLK|0|BLOCK|2|b|0|TEXT|1|two|"
           "0|ENDBLK|0|ENDSEC") +
           Entities("0|INSERT|2|B"),
       model::Warning::Kind::kDuplicateBlock, "b", "\"two\"\n"},
      {"texts carried past the doubles' range",
       Dxf("0|SECTION|2|BLOCKS|0|BLOCK|2|B|0|TEXT|10|2|1|x|0|ENDBLK|0|ENDSEC") +
           Entities("0|INSERT|2|B|41|1e308|0|INSERT|2|B|45|1|70|3|71|2|44|1e308|0|TEXT|1|kept"),
       model::Warning::Kind::kNotFinite, "3", "\"x\"\n\"x\"\n\"x\"\n\"x\"\n\"kept\"\n"},
      {"a grid of too many copies", WithBlocks("0|INSERT|2|B|70|30000|71|30000|44|1|45|1"),
       model::Warning::Kind::kTooManyCopies, "B", nullptr},
  };
  for (const LimitCase& c : cases) {
    const Converted result = Convert(c.drawing, Utf8("text"));
    EXPECT_TRUE(result.converted) << c.what;
    ASSERT_EQ(result.stats.warnings.size(), 1u) << c.what;
    EXPECT_EQ(result.stats.warnings[0].kind, c.warning) << c.what;
    EXPECT_EQ(result.stats.warnings[0].detail, c.detail) << c.what;
    EXPECT_NE(result.stats.warnings[0].line, 0u) << c.what;
    if (c.records) {
      EXPECT_EQ(result.records, c.records) << c.what;
    } else {
      EXPECT_EQ(result.stats.records, model::ExpansionLimits{}.maxGridCopies) << c.what;
    }
  }
}

}  // namespace
}  // namespace toridasu::full
