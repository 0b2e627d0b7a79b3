#include "full/raw_entity.h"

#include <limits>

#include "engine/parse_coordinate.h"
#include "text/ascii_case.h"

namespace toridasu::full {
namespace {

struct KindName {
  std::string_view name;
  EntityKind kind;
};
constexpr KindName kKinds[] = {
    {"TEXT", EntityKind::kText},
    {"ATTRIB", EntityKind::kAttrib},
    {"ATTDEF", EntityKind::kAttdef},
    {"MTEXT", EntityKind::kMtext},
    {"MULTILEADER", EntityKind::kMultileader},
    {"MLEADER", EntityKind::kMultileader},
    {"INSERT", EntityKind::kInsert},
    {"MINSERT", EntityKind::kInsert},
    {"DIMENSION", EntityKind::kDimension},
    {"TOLERANCE", EntityKind::kTolerance},
    {"ARCALIGNEDTEXT", EntityKind::kArcText},
    {"RTEXT", EntityKind::kRtext},
    {"ACAD_TABLE", EntityKind::kTable},
    {"SEQEND", EntityKind::kSeqend},
};

void SetAxis(Point3& point, int32_t axis, double value) {
  if (axis == 0) point.x = value;
  if (axis == 1) point.y = value;
  if (axis == 2) point.z = value;
}

// Where a dimension's extended data stands: its own style variables are the
// ACAD application's list after "DSTYLE", pairs of a 1070 naming the variable
// and its value.
struct OverrideState {
  bool acad = false;     // in the ACAD application's data
  bool list = false;     // in its DSTYLE list
  int32_t variable = 0;  // the variable whose value comes next, 0 none
};

void ReadOverride(int32_t code, std::string_view value, int32_t& decimals, OverrideState& state) {
  if (code == 1001) {
    state = OverrideState{};
    state.acad = SameName(value, "ACAD");
  } else if (state.acad && !state.list) {
    state.list = code == 1000 && SameName(value, "DSTYLE");
  } else if (state.list && state.variable != 0) {
    if (state.variable == 271 && code == 1070) decimals = IntegerOf(value);
    state.variable = 0;
  } else if (state.list && code == 1070) {
    state.variable = IntegerOf(value);
  } else if (state.list && code == 1002 && TrimBlanks(value).starts_with("}")) {
    state = OverrideState{};
  }
}

}  // namespace

EntityKind KindOfType(std::string_view type) {
  for (const KindName& k : kKinds) {
    if (type == k.name) return k.kind;
  }
  // Types as writers put them (capitals, no blanks) end here.
  bool plain = true;
  for (const char c : type) plain = plain && c != ' ' && c != '\t' && !(c >= 'a' && c <= 'z');
  if (plain) return EntityKind::kOther;
  type = TrimBlanks(type);
  if (type.size() < 4 || type.size() > 14) return EntityKind::kOther;
  // Lower-case or padded types: rare, so looked at letter by letter.
  for (const KindName& k : kKinds) {
    if (SameName(type, k.name)) return k.kind;
  }
  return EntityKind::kOther;
}

double NumberOf(std::string_view value) {
  value = TrimBlanks(value);
  if (value.empty()) return 0.0;
  const Coordinate c = ParseCoordinate(value);
  return c.status == CoordinateStatus::kValid ? c.value : 0.0;
}

int32_t IntegerOf(std::string_view value) {
  value = TrimBlanks(value);
  bool negative = false;
  if (!value.empty() && (value.front() == '-' || value.front() == '+')) {
    negative = value.front() == '-';
    value.remove_prefix(1);
  }
  if (value.empty()) return 0;
  int64_t number = 0;
  for (const char c : value) {
    if (c < '0' || c > '9') return 0;
    if (number < std::numeric_limits<int32_t>::max()) number = number * 10 + (c - '0');
  }
  if (number > std::numeric_limits<int32_t>::max()) number = std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(negative ? -number : number);
}

void RawEntity::Reset(EntityKind newKind, std::string_view newType, uint64_t newLine) {
  kind = newKind;
  type.assign(newType);
  line = newLine;
  text.clear();
  pieces.clear();
  textLine = 0;
  name.clear();
  handle.clear();
  style.clear();
  layer.clear();
  owner.clear();
  layout.clear();
  point = second = third = Point3{};
  extrusion = Point3{0.0, 0.0, 1.0};
  hasSecond = hasThird = false;
  height = rotation = 0.0;
  paperSpace = invisible = false;
  xScale = yScale = zScale = 1.0;
  columnCount = rowCount = 0;
  columnSpacing = rowSpacing = 0.0;
  measurement = 0.0;
  hasMeasurement = false;
  dimensionFlags = 0;
  dimensionStyle.clear();
  decimals = -1;
  firstPoint = secondPoint = thirdPoint = arcPoint = Point3{};
  hasArcPoint = false;
  table.Clear();
  contentPoint = Point3{};
  contentScale = Point3{1.0, 1.0, 1.0};
  contentNormal = Point3{0.0, 0.0, 1.0};
  contentRotation = 0.0;
  attributes.clear();
}

void ReadEntityGroups(PairCursor& cursor, RawEntity& e) {
  const bool leader = e.kind == EntityKind::kMultileader;
  const bool insert = e.kind == EntityKind::kInsert;
  bool inReactors = false;  // 102 {...} lists hold handles of others
  bool leaderHeight = false;
  bool leaderLines = false;   // past the leader's text: its lines' 304s are markers
  bool afterContext = false;  // past the leader's context data: its block's attributes follow
  // Where the leader's context data places its block, before its leaders.
  const auto content = [&] { return leader && !leaderLines && !afterContext; };
  const bool dimension = e.kind == EntityKind::kDimension;
  OverrideState override;
  TableCellReader cells(e.table);
  const bool table = e.kind == EntityKind::kTable;
  while (cursor.Next()) {
    const int32_t code = cursor.Code();
    if (code == group_code::kType) {
      cursor.Hold();
      return;
    }
    if (dimension && code >= 1000) {
      ReadOverride(code, cursor.Value(), e.decimals, override);
      continue;
    }
    if (table && cells.Read(code, cursor.Value(), cursor.ValueLine())) continue;
    switch (code) {
      case 1:
        // An ATTDEF's group 1 is only the value a reference starts with.
        if (!leader && e.kind != EntityKind::kAttdef) {
          e.text.assign(cursor.Value());
          if (e.kind != EntityKind::kMtext || e.pieces.empty()) e.textLine = cursor.ValueLine();
        }
        break;
      case 302:
        if (leader && afterContext && !e.attributes.empty()) {
          e.attributes.back().text.assign(cursor.Value());
          e.attributes.back().line = cursor.ValueLine();
        } else if (leader && TrimBlanks(cursor.Value()).starts_with("LEADER{")) {
          leaderLines = true;
        }
        break;
      case 301:
        if (leader && TrimBlanks(cursor.Value()).starts_with("}")) afterContext = true;
        break;
      case 46:
        if (content()) e.contentRotation = NumberOf(cursor.Value());
        break;
      case 304:
        // A leader line's opening marker also ends the text's part, where a
        // writer left out its leader's.
        if (leader && TrimBlanks(cursor.Value()) == "LEADER_LINE{") leaderLines = true;
        if (leader && !leaderLines && e.textLine == 0) {
          e.text.assign(cursor.Value());
          e.textLine = cursor.ValueLine();
        }
        break;
      case 3:
        if (e.kind == EntityKind::kMtext) {
          if (e.pieces.empty()) e.textLine = cursor.ValueLine();
          e.pieces.append(cursor.Value());
        }
        if (dimension) e.dimensionStyle.assign(TrimBlanks(cursor.Value()));
        break;
      case 2:
        e.name.assign(TrimBlanks(cursor.Value()));
        if (e.kind == EntityKind::kAttdef) {
          // What an attribute definition shows where it stands: its tag.
          e.text.assign(e.name);
          e.textLine = cursor.ValueLine();
        }
        break;
      case 5: e.handle.assign(TrimBlanks(cursor.Value())); break;
      case 7: e.style.assign(cursor.Value()); break;
      case 8: e.layer.assign(cursor.Value()); break;
      case 102: inReactors = TrimBlanks(cursor.Value()).starts_with("{"); break;
      case 330:
        if (leader && afterContext) {
          e.attributes.emplace_back();
          e.attributes.back().definition.assign(TrimBlanks(cursor.Value()));
        } else if (!inReactors && e.owner.empty()) {
          e.owner.assign(TrimBlanks(cursor.Value()));
        }
        break;
      case 410: e.layout.assign(cursor.Value()); break;
      case 10:
      case 20:
      case 30:
        if (!leader) SetAxis(e.point, code / 10 - 1, NumberOf(cursor.Value()));
        break;
      case 11:
      case 21:
      case 31:
        if (!leader) {
          SetAxis(e.second, code / 10 - 1, NumberOf(cursor.Value()));
          e.hasSecond = true;
        }
        break;
      case 12:
      case 22:
      case 32:
        // A leader's first text location is its text's; later ones are not.
        if (!e.hasThird) SetAxis(e.third, code / 10 - 1, NumberOf(cursor.Value()));
        if (code == 32) e.hasThird = true;
        break;
      case 210:
      case 220:
      case 230: SetAxis(e.extrusion, code / 10 - 21, NumberOf(cursor.Value())); break;
      case 40:
        // An arc-aligned text's 40 is its arc's radius.
        if (!leader && e.kind != EntityKind::kArcText) e.height = NumberOf(cursor.Value());
        break;
      case 41:
        if (insert) {
          e.xScale = NumberOf(cursor.Value());
        } else if (leader && !leaderHeight) {
          e.height = NumberOf(cursor.Value());
          leaderHeight = true;
        }
        break;
      case 42:
        if (insert) e.yScale = NumberOf(cursor.Value());
        if (e.kind == EntityKind::kDimension) {
          e.measurement = NumberOf(cursor.Value());
          e.hasMeasurement = true;
        }
        break;
      case 43:
        if (insert) e.zScale = NumberOf(cursor.Value());
        break;
      case 44:
        if (insert) e.columnSpacing = NumberOf(cursor.Value());
        break;
      case 45:
        if (insert) e.rowSpacing = NumberOf(cursor.Value());
        break;
      case 50:
        // An arc-aligned text's 50 is where its arc starts; it follows the arc,
        // so no one angle turns it.
        if (e.kind != EntityKind::kArcText) e.rotation = NumberOf(cursor.Value());
        break;
      case 67: e.paperSpace = IntegerOf(cursor.Value()) != 0; break;
      case 60: e.invisible = e.invisible || IntegerOf(cursor.Value()) != 0; break;
      case 70:
        if (insert) e.columnCount = IntegerOf(cursor.Value());
        if (dimension) e.dimensionFlags = IntegerOf(cursor.Value());
        if (e.kind == EntityKind::kAttrib && (IntegerOf(cursor.Value()) & 1) != 0)
          e.invisible = true;
        break;
      case 71:
        if (insert) e.rowCount = IntegerOf(cursor.Value());
        break;
      case 13:
      case 23:
      case 33:
        if (dimension) SetAxis(e.firstPoint, code / 10 - 1, NumberOf(cursor.Value()));
        break;
      case 14:
      case 24:
      case 34:
        if (dimension) SetAxis(e.secondPoint, code / 10 - 1, NumberOf(cursor.Value()));
        if (content()) SetAxis(e.contentNormal, code / 10 - 1, NumberOf(cursor.Value()));
        break;
      case 15:
      case 25:
      case 35:
        if (dimension) SetAxis(e.thirdPoint, code / 10 - 1, NumberOf(cursor.Value()));
        if (content()) SetAxis(e.contentPoint, code / 10 - 1, NumberOf(cursor.Value()));
        break;
      case 16:
      case 26:
      case 36:
        if (dimension) {
          SetAxis(e.arcPoint, code / 10 - 1, NumberOf(cursor.Value()));
          e.hasArcPoint = true;
        }
        if (content()) SetAxis(e.contentScale, code / 10 - 1, NumberOf(cursor.Value()));
        break;
      case group_code::kEmbeddedObject:
        // The rest is the embedded object's, none of it the entity's.
        if (cursor.NextType()) cursor.Hold();
        return;
      default: break;
    }
  }
}

}  // namespace toridasu::full
