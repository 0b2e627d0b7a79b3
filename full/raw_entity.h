// The groups of one entity that the full reading uses, as read: texts are the
// drawing's bytes (not yet decoded), numbers are parsed.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "full/pair_cursor.h"
#include "full/text_record.h"

namespace toridasu::full {

enum class EntityKind {
  kOther,
  kText,
  kAttrib,
  kAttdef,
  kMtext,
  kMultileader,
  kInsert,
  kDimension,
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
  std::string text;    // group 1 (MULTILEADER: the first group 304)
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
  double g40 = 0.0;                        // height
  double g41 = 1.0, g42 = 1.0, g43 = 1.0;  // scales; DIMENSION 42: measurement
  double g44 = 0.0, g45 = 0.0;             // MINSERT spacings
  double g50 = 0.0;                        // rotation, degrees
  int32_t g67 = 0;                         // paper space
  int32_t g70 = 0, g71 = 0;                // MINSERT columns and rows

  void Reset(EntityKind kind, std::string_view type, uint64_t line);
};

// Reads the groups of the entity whose type pair the cursor is on, up to the
// next pair of code 0, which stays held for the caller. Groups after an
// embedded object (101) belong to it and are passed over.
void ReadEntityGroups(PairCursor& cursor, RawEntity& entity);

// A value line's number: blanks around it allowed; anything invalid gives 0.
double NumberOf(std::string_view value);
int32_t IntegerOf(std::string_view value);
inline std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}
// Whether `text`, blanks around it left out and ASCII letters folded to
// capitals, is `upperName`.
bool SameName(std::string_view text, std::string_view upperName);

}  // namespace toridasu::full
