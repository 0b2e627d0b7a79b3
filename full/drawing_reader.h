// The structured reading of a drawing: its sections (HEADER, TABLES, BLOCKS,
// ENTITIES, OBJECTS), read front to back once. Only a pair of code 0 with
// SECTION followed by a pair of code 2 starts a section, so a layer or block
// named "entities" starts nothing. Real files' slips are tolerated: no
// header, lower-case names, blanks around codes, 999 comments, a missing
// ENDSEC or ENDBLK, trash after EOF, and an early end.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/dxf_source.h"
#include "full/raw_entity.h"

namespace toridasu::full {

struct DrawingHeader {
  std::string version;   // $ACADVER (AC1009, AC1021, ...), empty when absent
  std::string codePage;  // $DWGCODEPAGE (ANSI_932, ...), empty when absent
  uint64_t codePageLine = 0;
  int32_t dimensionDecimals = -1;  // $DIMDEC, -1 when absent
};

// What the reading finds, in the drawing's order.
class DrawingVisitor {
 public:
  virtual ~DrawingVisitor() = default;
  // Once, before any block or entity (with empty values when there is no header).
  virtual void Header(const DrawingHeader& header) = 0;
  // A BLOCK_RECORD table entry; `line`: the drawing's line of its name.
  virtual void BlockRecord(std::string_view handle, std::string_view name, uint64_t line) = 0;
  // A DIMSTYLE table entry: its name and decimal places (271, -1 when absent).
  virtual void DimensionStyle(std::string_view name, int32_t decimals) = 0;
  // A LAYER table entry: its name (at `line`), whether it is off (a negative
  // color, 62) and whether it is frozen (flag 1 of 70).
  virtual void Layer(std::string_view name, bool off, bool frozen, uint64_t line) = 0;
  // A block definition opens (its name, base point and owner are in `block`);
  // the entities up to EndBlock() are its own.
  virtual void BeginBlock(const RawEntity& block) = 0;
  virtual void EndBlock() = 0;
  // An entity of a kind the full reading uses, in ENTITIES or in the open
  // block. ATTRIBs come only after their INSERT.
  virtual void Entity(const RawEntity& entity) = 0;
  // A LAYOUT object: the paper-space block record it shows, and its name
  // (at `line`).
  virtual void Layout(std::string_view blockRecord, std::string_view name, uint64_t line) = 0;
  // A SECTION begins inside ENTITIES at `line`; what follows is read on as entities.
  virtual void NestedSection(uint64_t line) = 0;
};

// Reads the whole drawing into `visitor`; true when it ended at its EOF,
// false when the bytes ran out first, as in a drawing that was cut.
bool ReadDrawing(DxfSource& source, DrawingVisitor& visitor);

}  // namespace toridasu::full
