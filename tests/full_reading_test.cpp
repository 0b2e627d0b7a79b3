#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "full/full_conversion.h"
#include "support/full_drawing.h"
#include "text/encoding_names.h"

namespace toridasu::full {
namespace {

struct ReadingCase {
  const char* what;
  std::string drawing;
  const char* columns;
  const char* records;
  char separator = '.';
};

const ReadingCase kReadingCases[] = {
    {"no header, lower-case names, blanks around codes and numbers",
     Dxf(" 0 |section|2|entities|  0|text|10| 1.5 |1|a|0|endsec|0|eof"), "x,y,z,text",
     "1.5,0,0,\"a\"\n"},
    {"999 comments", Dxf("999|made by hand|0|SECTION|2|ENTITIES|999|x|0|TEXT|1|b|999|c|0|EOF"),
     "text", "\"b\"\n"},
    {"a missing ENDSEC and trash after EOF",
     Dxf("0|SECTION|2|ENTITIES|0|TEXT|1|c|0|SECTION|2|OBJECTS|0|EOF|0|TEXT|1|trash"), "text",
     "\"c\"\n"},
    {"a drawing that ends early", Dxf("0|SECTION|2|ENTITIES|0|TEXT|1|d|10"), "text", "\"d\"\n"},
    {"a layer named ENTITIES starts nothing",
     Dxf("0|SECTION|2|TABLES|0|LAYER|2|ENTITIES|0|TEXT|1|no|0|ENDSEC|"
         "0|SECTION|2|ENTITIES|0|TEXT|1|yes|0|ENDSEC|0|EOF"),
     "text", "\"yes\"\n"},
    {"a BLOCKS section after the entities",
     Dxf("0|SECTION|2|ENTITIES|0|INSERT|2|LATE|10|5|0|ENDSEC|0|SECTION|2|BLOCKS|"
         "0|BLOCK|2|LATE|0|TEXT|10|1|1|late|0|ENDBLK|0|ENDSEC|0|EOF"),
     "x,text", "6,\"late\"\n"},
    {"a section named without its SECTION pair",
     Dxf("0|SECTION|2|HEADER|0|ENDSEC|2|ENTITIES|0|TEXT|1|bare|0|EOF"), "text", "\"bare\"\n"},
    {"ATTRIBs only after an INSERT, at their own points",
     Entities("0|ATTRIB|1|stray|0|INSERT|2|B|10|5|66|1|0|ATTRIB|10|1|1|tag|0|SEQEND|0|ATTRIB|1|x"),
     "x,text,block", "1,\"tag\",\"B\"\n"},
    {"a control character becomes the replacement character", Entities("0|TEXT|1|a^@b"), "text",
     "\"a\xEF\xBF\xBD"
     "b\"\n"},
    {"texts of white space only are not written, a dimension's own text neither",
     Entities("0|TEXT|1|  ^I|0|TEXT|1|\x81\x40|0|MTEXT|1|\\P\\~|0|DIMENSION|2|*NONE|1|^J ^j|"
              "0|TEXT|1|k"),
     "text", "\"k\"\n"},
    {"MTEXT pieces joined before group 1, codes removed",
     Entities("0|MTEXT|10|1|3|{\\C3;Hel|3|lo} wor|1|ld\\Pnext"), "x,text",
     "1,\"Hello world\nnext\"\n"},
    {"an embedded object never moves a point",
     Entities("0|MTEXT|10|2|20|3|1|e|101|Embedded Object|10|99|20|99"), "x,y,text", "2,3,\"e\"\n"},
    {"quotes doubled, text codes decoded", Entities("0|TEXT|1|say \"hi\" %%d%%u"), "text",
     "\"say \"\"hi\"\" \xC2\xB0\"\n"},
    {"OCS to world: extrusion 0,0,-1 mirrors x and z",
     Entities("0|TEXT|10|5|20|2|30|1|11|6|21|2|31|1|210|0|220|0|230|-1|1|m"), "x,y,z,align_x,text",
     "-5,2,-1,-6,\"m\"\n"},
    {"MULTILEADER text at its text location",
     Entities("0|MULTILEADER|300|CONTEXT_DATA{|10|9|20|9|304|lead|12|4|22|5|32|0|"
              "302|LEADER{|304|LEADER_LINE{|12|7|22|7|32|7"),
     "x,y,text,type", "4,5,\"lead\",\"MULTILEADER\"\n"},
    // TAG's base point is 1,2, its ATTDEF 2B stands 2 to the right of it; the
    // leader puts the block at 10,20, scaled by 2, turned by 90 degrees.
    {"MULTILEADER with block content: its attributes' values where its block puts its ATTDEFs "
     "(at the block's place without one), its leader line's marker no text",
     Dxf("0|SECTION|2|BLOCKS|0|BLOCK|2|TAG|10|1|20|2|0|ATTDEF|5|2B|10|3|20|2|40|0.5|2|ROOM|"
         "0|ENDBLK|0|ENDSEC|0|SECTION|2|ENTITIES|"
         "0|MULTILEADER|300|CONTEXT_DATA{|290|0|296|1|341|1F|14|0|24|0|34|1|15|10|25|20|35|0|"
         "16|2|26|2|36|2|46|1.5707963267948966|302|LEADER{|304|LEADER_LINE{|10|7|20|7|303|}|"
         "301|}|172|1|344|1F|330|2b|177|1|44|0|302|v%%d|330|99|177|2|302|w|0|ENDSEC|0|EOF"),
     "x,y,text,type,block,rotation,height",
     "10,24,\"v\xC2\xB0\",\"MULTILEADER\",\"TAG\",90,1\n"
     "10,20,\"w\",\"MULTILEADER\",\"TAG\",90,0\n"},
    {"... nor without the leader's own marker",
     Entities("0|MULTILEADER|300|CONTEXT_DATA{|290|0|304|LEADER_LINE{|10|7|20|7|303|}|301|}"),
     "text", ""},
    // Rows 10 and 8 high, columns 20 and 30 wide, from the insertion point
    // 100,50 down; the first cell spans both columns, the second is under it.
    {"ACAD_TABLE without its block: each cell's text at the cell's middle",
     Entities("0|ACAD_TABLE|2|*T9|10|100|20|50|11|1|21|0|91|2|92|2|141|10|141|8|142|20|142|30|"
              "171|1|175|2|1|{\\C1;Title}|171|1|173|1|1||171|1|2|Lon|1|g|"
              "171|1|301|CELL_VALUE|90|2|140|2.5|1||302|2.50|304|ACVALUE_END|40|1.5|7|cells"),
     "x,y,text,type",
     "125,45,\"Title\",\"ACAD_TABLE\"\n110,36,\"Long\",\"ACAD_TABLE\"\n"
     "135,36,\"2.50\",\"ACAD_TABLE\"\n"},
    {"ATTDEF: its tag where it stands alone, nothing in a block",
     Dxf("0|SECTION|2|BLOCKS|0|BLOCK|2|B|0|ATTDEF|1|v|2|IN|0|ENDBLK|0|ENDSEC|"
         "0|SECTION|2|ENTITIES|0|ATTDEF|10|2|1|v|2|TAG|3|ask|0|ENDSEC|0|EOF"),
     "x,text,type", "2,\"TAG\",\"ATTDEF\"\n"},
    {"TOLERANCE: cells as |, GD&T symbols named, turned by its direction",
     Entities("0|TOLERANCE|10|1|20|2|11|0|21|1|1|{\\Fgdt;j}%%v{\\fgdt;n}0.1{\\Fgdt;m}%%vA^J"
              "{\\Fgdt;q}"),
     "x,y,rotation,text,type",
     "1,2,90,\"{position}|{diameter}0.1{MMC}|A\n{\\Fgdt;q}\",\"TOLERANCE\"\n"},
    {"ARCALIGNEDTEXT at its arc's center, its radius no height",
     Entities("0|ARCALIGNEDTEXT|1|arc|10|3|20|4|40|9|50|1.5"), "x,y,height,rotation,text,type",
     "3,4,0,0,\"arc\",\"ARCALIGNEDTEXT\"\n"},
    {"RTEXT: its text, its angle in radians",
     Entities("0|RTEXT|10|5|20|6|40|2|50|1.5707963267948966|70|0|1|note"),
     "x,y,height,rotation,text,type", "5,6,2,90,\"note\",\"RTEXT\"\n"},
    {"paper space named from its LAYOUT object, or by group 410",
     Dxf("0|SECTION|2|TABLES|0|TABLE|2|BLOCK_RECORD|0|BLOCK_RECORD|5|1F|2|*Paper_Space|"
         "0|ENDTAB|0|ENDSEC|0|SECTION|2|ENTITIES|0|TEXT|67|1|330|1F|1|p|"
         "0|TEXT|67|1|410|Sheet B|1|q|0|TEXT|1|m|0|ENDSEC|0|SECTION|2|OBJECTS|"
         "0|LAYOUT|100|AcDbPlotSettings|1|setup|330|0|100|AcDbLayout|1|Sheet A|330|1F|330|2A|"
         "0|ENDSEC|0|EOF"),
     "text,space", "\"q\",\"Sheet B\"\n\"m\",\"Model\"\n\"p\",\"Sheet A\"\n"},
    {"a paper-space layout after the first: its block, named by its LAYOUT",
     Dxf("0|SECTION|2|BLOCKS|0|BLOCK|5|21|330|2B|100|AcDbBlockBegin|2|*Paper_Space0|"
         "0|TEXT|67|1|1|s|0|ENDBLK|0|ENDSEC|0|SECTION|2|OBJECTS|"
         "0|LAYOUT|100|AcDbLayout|1|Sheet A|330|1F|0|LAYOUT|100|AcDbLayout|1|Sheet C|330|2B|"
         "0|ENDSEC|0|EOF"),
     "text,space", "\"s\",\"Sheet C\"\n"},
    {"with the decimal separator \",\" every number is quoted",
     Entities("0|TEXT|10|1.5|20|-2|40|0.25|1|a"), "x,y,text,height,align_z",
     "\"1,5\",\"-2\",\"a\",\"0,25\",\"0\"\n", ','},
};

TEST(FullReading, ReadsSectionsAndTexts) {
  for (const ReadingCase& c : kReadingCases) {
    const Converted result = Convert(c.drawing, Utf8(c.columns), c.separator);
    EXPECT_TRUE(result.converted) << c.what;
    EXPECT_EQ(result.records, c.records) << c.what;
  }
}

TEST(FullReading, HeaderNamesTheColumns) {
  const Converted result = Convert(Entities("0|TEXT|1|a"), Utf8("text,space,x"));
  ASSERT_TRUE(result.converted);
  EXPECT_EQ(result.csv, "\"text\",\"space\",\"x\"\r\n\"a\",\"Model\",0\r\n");
}

// Decoding: the header's version and code page, the user's override, and the
// output in Shift-JIS. `records` empty: the drawing fails at `line`.
struct DecodingCase {
  const char* what;
  std::string drawing;
  const char* inputEncoding;
  bool shiftJis;
  bool replace;
  const char* records;
  uint64_t failureLine;
  std::optional<model::Warning::Kind> warning = std::nullopt;  // else none
};

std::string Header(const char* version, const char* codePage) {
  return Dxf(std::string("0|SECTION|2|HEADER|9|$ACADVER|1|") + version + "|9|$DWGCODEPAGE|3|" +
             codePage + "|0|ENDSEC");
}

const DecodingCase kDecodingCases[] = {
    {"AC1021 and later are UTF-8", Header("AC1021", "ANSI_1252") + Entities("0|TEXT|1|15\xC2\xB0"),
     "", false, false, "\"15\xC2\xB0\"\n", 0},
    {"code-page bytes in a UTF-8 drawing: the header's page",
     Header("AC1027", "ANSI_1252") + Entities("0|TEXT|1|15\xB0"), "", false, false,
     "\"15\xC2\xB0\"\n", 0, model::Warning::Kind::kFallbackCodePage},
    {"code-page bytes in a drawing that says UTF-8: code page 932",
     Header("AC1021", "UTF-8") + Entities("0|TEXT|1|\x83\x54"), "", false, false,
     "\"\xE3\x82\xB5\"\n", 0, model::Warning::Kind::kFallbackCodePage},
    {"an unknown code page that a UTF-8 drawing never needs: no warning",
     Header("AC1021", "ANSI_9999") + Entities("0|TEXT|1|15\xC2\xB0"), "", false, false,
     "\"15\xC2\xB0\"\n", 0},
    {"an unknown code page that ASCII texts never need: no warning",
     Header("AC1015", "ANSI_9999") + Entities("0|TEXT|1|ab"), "", false, false, "\"ab\"\n", 0},
    {"an unknown code page under the user's encoding: no warning",
     Header("AC1015", "ANSI_9999") + Entities("0|TEXT|1|\xC4"), "cp1252", false, false,
     "\"\xC3\x84\"\n", 0},
    {"an earlier drawing: its code page, any letter case",
     Header("AC1015", "ansi_1252") + Entities("0|TEXT|1|\xC4"), "", false, false, "\"\xC3\x84\"\n",
     0},
    {"no header: code page 932", Entities("0|TEXT|1|\x83\x54"), "", false, false,
     "\"\xE3\x82\xB5\"\n", 0},
    {"the user's encoding wins", Header("AC1015", "ANSI_932") + Entities("0|TEXT|1|\xC4"), "cp1252",
     false, false, "\"\xC3\x84\"\n", 0},
    {"\\U+ escapes in every version", Entities("0|TEXT|1|\\U+00B0"), "", false, false,
     "\"\xC2\xB0\"\n", 0},
    {"Shift-JIS output", Entities("0|TEXT|1|\x83\x54"), "", true, false, "\"\x83\x54\"\n", 0},
    {"Shift-JIS output: diameter signs as \xCF\x86",
     Entities("0|TEXT|1|%%c1 \\U+00D8\\U+2205\\U+2300"), "", true, false,
     "\"\x83\xD3\x31 \x83\xD3\x83\xD3\x83\xD3\"\n", 0},
    {"Shift-JIS output: a control character as ?", Entities("0|MTEXT|1|a^@b"), "", true, false,
     "\"a?b\"\n", 0, model::Warning::Kind::kControlCharacters},
    {"a character Shift-JIS cannot hold fails at its line",
     Header("AC1015", "ANSI_1252") + Entities("0|TEXT|1|\xC4"), "", true, false, "", 22},
    {"... or becomes ? when asked", Header("AC1015", "ANSI_1252") + Entities("0|TEXT|1|\xC4"), "",
     true, true, "\"?\"\n", 0},
    {"undefined bytes fail at their line", Entities("0|TEXT|1|\x85\x40"), "", false, false, "", 8},
};

TEST(FullReading, DecodesTexts) {
  for (const DecodingCase& c : kDecodingCases) {
    FullOptions options = Utf8("text");
    options.output.utf8 = !c.shiftJis;
    options.output.replace = options.texts.replace = c.replace;
    options.texts.inputCodePage =
        *c.inputEncoding ? text::CodePageFromEncodingName(c.inputEncoding) : 0;
    const Converted result = Convert(c.drawing, options);
    EXPECT_EQ(result.converted, c.failureLine == 0) << c.what;
    std::vector<model::Warning::Kind> warnings, expected;
    for (const model::Warning& warning : result.stats.warnings) warnings.push_back(warning.kind);
    if (c.warning) expected.push_back(*c.warning);
    EXPECT_EQ(warnings, expected) << c.what;
    if (c.failureLine == 0) {
      EXPECT_EQ(result.records, c.records) << c.what;
    } else {
      ASSERT_TRUE(result.stats.failure) << c.what;
      EXPECT_EQ(result.stats.failure->line, c.failureLine) << c.what;
    }
  }
}

// Real drawings of the corpus: a text that must come out, where it must.
struct CorpusCase {
  const char* drawing;
  const char* text;  // UTF-8
  const char* x;
  const char* y;
};

const CorpusCase kCorpusCases[] = {
    {"dwg2dxfjww__r2000_sjis", "配管 ルート A-1", "1000", "6500"},     // ANSI_932
    {"dwg2dxfjww__r2000_escaped", "配管 ルート A-1", "1000", "6500"},  // \U+ escapes
    {"ezdxf__text_oblique_rotate", "OBLIQUE 15°", "15.206270017086", "3.117407407295"},  // UTF-8
    {"qcad__Symbole", "Änderung", "-422.010190185976", "17.8181816400008"},   // ANSI_1252
    {"gdal__attrib", "super test", "-20.293037053206", "30"},                 // ATTRIB
    {"dwg2dxfjww__r2000_sjis", "冷凍機室\n2行目 φ50", "7000", "6800"},        // MTEXT \P
    {"dwg2dxfjww__r2000_sjis", "V", "2886.86291501015", "1113.13708498985"},  // turned, scaled
    {"dwg2dxfjww__r2000_sjis", "V", "4000", "1080"},  // mirrored by a negative scale
};

TEST(FullReading, FindsTheTextsOfRealDrawings) {
  std::map<std::string, std::string> recordsOf;  // each drawing converted once
  for (const CorpusCase& c : kCorpusCases) {
    auto records = recordsOf.find(c.drawing);
    if (records == recordsOf.end()) {
      const std::string path = std::string(TORIDASU_CORPUS_DIR) + "/" + c.drawing + ".dxf";
      std::ifstream file(path, std::ios::binary);
      if (!file) GTEST_SKIP() << "no corpus at " << TORIDASU_CORPUS_DIR;
      std::stringstream bytes;
      bytes << file.rdbuf();
      records = recordsOf.emplace(c.drawing, Convert(bytes.str(), Utf8("x,y,text")).records).first;
    }
    const std::string record = std::string(c.x) + "," + c.y + ",\"" + c.text + "\"\n";
    EXPECT_NE(records->second.find(record), std::string::npos) << c.drawing << ": " << c.text;
  }
}

}  // namespace
}  // namespace toridasu::full
