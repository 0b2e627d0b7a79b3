#include "full/drawing_reader.h"

#include <initializer_list>

#include "full/pair_cursor.h"

namespace toridasu::full {
namespace {

enum class Section { kNone, kHeader, kTables, kBlocks, kEntities, kObjects, kOther };

Section SectionNamed(std::string_view name) {
  if (SameName(name, "HEADER")) return Section::kHeader;
  if (SameName(name, "TABLES")) return Section::kTables;
  if (SameName(name, "BLOCKS")) return Section::kBlocks;
  if (SameName(name, "ENTITIES")) return Section::kEntities;
  if (SameName(name, "OBJECTS")) return Section::kObjects;
  return Section::kOther;
}

// A type that ends the section it stands in, also where ENDSEC is missing.
bool EndsSection(std::string_view type) {
  if (type.empty()) return false;
  const char first = type.front();
  if (first != 'E' && first != 'S' && first != 'e' && first != 's' && first != ' ' && first != '\t')
    return false;  // most types: one byte looked at
  return SameName(type, "ENDSEC") || SameName(type, "SECTION") || SameName(type, "EOF");
}

class Reading {
 public:
  Reading(DxfSource& source, DrawingVisitor& visitor) : cursor_(source), visitor_(visitor) {}

  // True when the drawing reached its EOF.
  bool Run() {
    bool sawEnd = false;
    bool outside = true;  // between sections, where a bare name may start one
    while (cursor_.Next()) {
      if (cursor_.Code() == 2 && outside) {
        // Some writers leave out the SECTION pair before a section's name.
        const Section section = SectionNamed(cursor_.Value());
        if (section != Section::kOther) outside = ReadSection(section);
        continue;
      }
      if (cursor_.Code() != group_code::kType) continue;
      const std::string_view type = cursor_.Value();
      if (SameName(type, "EOF")) {
        sawEnd = true;
        break;  // whatever follows is not the drawing's
      }
      if (SameName(type, "ENDSEC")) outside = true;
      if (!SameName(type, "SECTION")) continue;
      if (!cursor_.Next()) break;
      if (cursor_.Code() != 2) {
        cursor_.Hold();  // a section without a name: its content is passed over
        outside = false;
        continue;
      }
      outside = ReadSection(SectionNamed(cursor_.Value()));
    }
    GiveHeader();
    return sawEnd;
  }

 private:
  // Reads a section up to its end (left for the main loop); false when the
  // main loop has to pass over the section's content itself.
  bool ReadSection(Section section) {
    if (section != Section::kHeader) GiveHeader();
    switch (section) {
      case Section::kHeader: ReadHeader(); break;
      case Section::kTables: ReadTables(); break;
      case Section::kBlocks: ReadBlocks(); break;
      case Section::kEntities: ReadEntities(); break;
      case Section::kObjects: ReadObjects(); break;
      default: return false;
    }
    return true;
  }

  void GiveHeader() {
    if (headerGiven_) return;
    headerGiven_ = true;
    visitor_.Header(header_);
  }

  void ReadHeader() {
    enum class Variable { kOther, kVersion, kCodePage, kDecimals } variable = Variable::kOther;
    while (cursor_.Next()) {
      const int32_t code = cursor_.Code();
      if (code == group_code::kType) {
        cursor_.Hold();
        return;
      }
      if (code == 9) {
        const std::string_view name = cursor_.Value();
        variable = SameName(name, "$ACADVER")       ? Variable::kVersion
                   : SameName(name, "$DWGCODEPAGE") ? Variable::kCodePage
                   : SameName(name, "$DIMDEC")      ? Variable::kDecimals
                                                    : Variable::kOther;
      } else if (code == 1 && variable == Variable::kVersion) {
        header_.version.assign(TrimBlanks(cursor_.Value()));
      } else if (code == 3 && variable == Variable::kCodePage) {
        header_.codePage.assign(TrimBlanks(cursor_.Value()));
        header_.codePageLine = cursor_.ValueLine();
      } else if (code == 70 && variable == Variable::kDecimals) {
        header_.dimensionDecimals = IntegerOf(cursor_.Value());
      }
    }
  }

  // Reads the objects of the types `wanted` in a section of objects (TABLES,
  // OBJECTS): `group` sees each of their pairs, `end` is called after each,
  // both with the index of the object's type in `wanted`.
  template <typename Group, typename End>
  void ReadObjectsOfTypes(std::initializer_list<std::string_view> wanted, Group group, End end) {
    bool haveType = cursor_.NextType();
    while (haveType) {
      const std::string_view type = cursor_.Value();
      if (EndsSection(type)) {
        cursor_.Hold();
        return;
      }
      std::size_t which = 0;
      for (const std::string_view name : wanted) {
        if (SameName(type, name)) break;
        ++which;
      }
      if (which == wanted.size()) {
        haveType = cursor_.NextType();
        continue;
      }
      haveType = false;
      while (cursor_.Next()) {
        if (cursor_.Code() == group_code::kType) {
          haveType = true;
          break;
        }
        group(which, cursor_.Code());
      }
      end(which);
    }
  }

  // Block records, the decimal places of each dimension style, and the
  // layers with what they hide.
  void ReadTables() {
    constexpr std::size_t kBlockRecord = 0, kDimensionStyle = 1;
    std::string handle, name;
    uint64_t nameLine = 0;
    int32_t decimals = -1, color = 0, flags = 0;
    ReadObjectsOfTypes(
        {"BLOCK_RECORD", "DIMSTYLE", "LAYER"},
        [&](std::size_t which, int32_t code) {
          if (code == 5 && which == kBlockRecord) handle.assign(TrimBlanks(cursor_.Value()));
          if (code == 2) {
            name.assign(TrimBlanks(cursor_.Value()));
            nameLine = cursor_.ValueLine();
          }
          if (code == 271 && which == kDimensionStyle) decimals = IntegerOf(cursor_.Value());
          if (code == 62) color = IntegerOf(cursor_.Value());
          if (code == 70) flags = IntegerOf(cursor_.Value());
        },
        [&](std::size_t which) {
          if (which == kBlockRecord) {
            visitor_.BlockRecord(handle, name, nameLine);
          } else if (which == kDimensionStyle) {
            visitor_.DimensionStyle(name, decimals);
          } else {
            visitor_.Layer(name, color < 0, (flags & 1) != 0, nameLine);
          }
          handle.clear();
          name.clear();
          decimals = -1;
          color = flags = 0;
        });
  }

  void ReadBlocks() {
    bool inBlock = false;
    while (cursor_.NextType()) {
      const std::string_view type = cursor_.Value();
      if (EndsSection(type)) {
        cursor_.Hold();
        break;
      }
      if (SameName(type, "BLOCK")) {
        if (inBlock) visitor_.EndBlock();  // ENDBLK was missing
        entity_.Reset(EntityKind::kBlock, "BLOCK", cursor_.ValueLine());
        ReadEntityGroups(cursor_, entity_);
        visitor_.BeginBlock(entity_);
        inBlock = true;
        afterInsert_ = false;
      } else if (SameName(type, "ENDBLK")) {
        if (inBlock) visitor_.EndBlock();
        inBlock = false;
      } else if (inBlock) {
        ReadEntity(type);
      }
    }
    if (inBlock) visitor_.EndBlock();
  }

  // A SECTION inside the entities (a writer's fault) does not end them: its
  // content is read on as entities up to its own ENDSEC, as the default mode
  // reads on.
  void ReadEntities() {
    afterInsert_ = false;
    int nested = 0;
    while (cursor_.NextType()) {
      const std::string_view type = cursor_.Value();
      if (SameName(type, "SECTION")) {
        if (nested++ == 0) visitor_.NestedSection(cursor_.ValueLine());
        continue;
      }
      if (nested > 0 && SameName(type, "ENDSEC")) {
        --nested;
        continue;
      }
      if (EndsSection(type)) {
        cursor_.Hold();
        return;
      }
      ReadEntity(type);
    }
  }

  void ReadEntity(std::string_view type) {
    const EntityKind kind = KindOfType(type);
    if (kind == EntityKind::kOther || kind == EntityKind::kSeqend) {
      afterInsert_ = false;
      return;  // the walk to the next type passes over its groups
    }
    entity_.Reset(kind, TrimBlanks(type), cursor_.ValueLine());
    ReadEntityGroups(cursor_, entity_);
    if (kind == EntityKind::kAttrib && !afterInsert_) return;  // no reference to belong to
    afterInsert_ = kind == EntityKind::kInsert || kind == EntityKind::kAttrib;
    visitor_.Entity(entity_);
  }

  // LAYOUT objects: the name and the block record that follow the layout's
  // own subclass marker (the plot settings before it carry a name of their own).
  void ReadObjects() {
    bool layoutPart = false;
    std::string name, blockRecord;
    uint64_t nameLine = 0;
    ReadObjectsOfTypes(
        {"LAYOUT"},
        [&](std::size_t, int32_t code) {
          if (code == 100) layoutPart = SameName(cursor_.Value(), "ACDBLAYOUT");
          if (layoutPart && code == 1) {
            name.assign(cursor_.Value());
            nameLine = cursor_.ValueLine();
          }
          if (layoutPart && code == 330 && blockRecord.empty())
            blockRecord.assign(TrimBlanks(cursor_.Value()));
        },
        [&](std::size_t) {
          visitor_.Layout(blockRecord, name, nameLine);
          layoutPart = false;
          name.clear();
          blockRecord.clear();
        });
  }

  PairCursor cursor_;
  DrawingVisitor& visitor_;
  DrawingHeader header_;
  RawEntity entity_;
  bool headerGiven_ = false;
  bool afterInsert_ = false;
};

}  // namespace

bool ReadDrawing(DxfSource& source, DrawingVisitor& visitor) {
  return Reading(source, visitor).Run();
}

}  // namespace toridasu::full
