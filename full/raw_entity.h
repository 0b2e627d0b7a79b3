// The groups of one entity that the full reading uses, as read: texts are the
// drawing's bytes (not yet decoded), numbers are parsed.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "full/pair_cursor.h"
#include "full/table_cells.h"
#include "model/names.h"
#include "model/text_record.h"

namespace toridasu::full {

using model::Point3;
using model::SameName;
using model::TrimBlanks;

enum class EntityKind {
  kOther,
  kText,
  kAttrib,
  kAttdef,
  kMtext,
  kMultileader,
  kInsert,
  kDimension,
  kTolerance,  // a feature control frame
  kArcText,    // ARCALIGNEDTEXT
  kRtext,      // RTEXT: its group 1, the file it shows or the expression it evaluates
  kTable,      // ACAD_TABLE: its block, or its cells
  kSeqend,
  kBlock,  // a block definition's opening entity (BLOCK)
};

// The kind of an entity type line (blanks around it and letter case do not
// matter). MINSERT is an INSERT with a grid.
EntityKind KindOfType(std::string_view type);

struct RawEntity {
  EntityKind kind = EntityKind::kOther;
  std::string type;    // as the record names it: TEXT, ATTRIB, MTEXT, ...
  uint64_t line = 0;   // the line of its type
  std::string text;    // group 1 (MULTILEADER: its first 304 before its
                       // leaders, none when its content is a block; ATTDEF: its tag)
  std::string pieces;  // MTEXT: the group-3 pieces, joined in order
  uint64_t textLine = 0;
  std::string name;                 // group 2: block name, attribute tag
  std::string handle;               // group 5
  std::string style;                // group 7
  std::string layer;                // group 8
  std::string owner;                // group 330 (the first, outside reactor lists)
  std::string layout;               // group 410
  Point3 point;                     // 10/20/30
  Point3 second;                    // 11/21/31: alignment point, MTEXT's direction, dimension text
  Point3 third;                     // 12/22/32: MULTILEADER text location
  Point3 extrusion{0.0, 0.0, 1.0};  // 210/220/230
  bool hasSecond = false;
  bool hasThird = false;
  double height = 0.0;      // 40 (MULTILEADER: its first 41)
  double rotation = 0.0;    // 50, degrees
  bool paperSpace = false;  // 67 not 0
  bool invisible = false;   // 60 not 0; an ATTRIB also by flag 1 of its 70
  // INSERT and MINSERT only: the scales, and the grid of copies.
  double xScale = 1.0, yScale = 1.0, zScale = 1.0;  // 41/42/43
  int32_t columnCount = 0, rowCount = 0;            // 70/71
  double columnSpacing = 0.0, rowSpacing = 0.0;     // 44/45
  // DIMENSION only: what it measures, as its writer put it (group 42, which
  // several writers leave out or fill with -1 or 0), and the points it
  // measures between (world coordinates, seen in its OCS).
  double measurement = 0.0;  // 42
  bool hasMeasurement = false;
  int32_t dimensionFlags = 0;  // 70: the kind in the low bits, 64 an X ordinate
  std::string dimensionStyle;  // 3: the DIMSTYLE entry it uses
  int32_t decimals = -1;       // its own decimal places (DSTYLE override of 271), -1 none
  Point3 firstPoint;           // 13/23/33: first extension line, ordinate feature
  Point3 secondPoint;          // 14/24/34: second extension line
  Point3 thirdPoint;           // 15/25/35: radius point, angle vertex or line
  Point3 arcPoint;             // 16/26/36: where an angle's arc lies
  bool hasArcPoint = false;
  // ACAD_TABLE only: its block is `name`, its insertion point `point`, its
  // direction `second` (world coordinates); its cells:
  TableGrid table;
  // MULTILEADER only, when its content is a block: where the context data
  // puts the block, and the values of the block's attributes.
  Point3 contentPoint;            // 15/25/35, world coordinates
  Point3 contentScale{1, 1, 1};   // 16/26/36
  Point3 contentNormal{0, 0, 1};  // 14/24/34
  double contentRotation = 0.0;   // 46, radians
  struct LeaderAttribute {
    std::string definition;  // 330: the handle of the block's ATTDEF it fills
    std::string text;        // 302
    uint64_t line = 0;
  };
  std::vector<LeaderAttribute> attributes;

  void Reset(EntityKind kind, std::string_view type, uint64_t line);
};

// Reads the groups of the entity whose type pair the cursor is on, up to the
// next pair of code 0, which stays held for the caller. The groups of an
// embedded object are passed over (see EndsEntityGroups).
void ReadEntityGroups(PairCursor& cursor, RawEntity& entity);

// A value line's number: blanks around it allowed; anything invalid gives 0.
double NumberOf(std::string_view value);
int32_t IntegerOf(std::string_view value);

}  // namespace toridasu::full
