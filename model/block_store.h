// Block definitions as the model keeps them: each text already decoded and
// in the block's own coordinates, each reference with what places it. This
// is the only part of a drawing held in memory.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <variant>
#include <vector>

#include "model/names.h"
#include "model/ocs.h"
#include "model/text_record.h"

namespace toridasu::model {

// What a block reference needs to turn a text again: the text's own
// coordinate system, and its rotation and height there.
struct TextFrameInOcs {
  Vec3 extrusion{0, 0, 1};
  double rotation = 0.0;  // degrees
  double height = 0.0;
};

// A text of a definition, in the definition's coordinates (at the top of a
// space: in world coordinates).
struct BlockText {
  TextRecord record;
  TextFrameInOcs frame;
};

// What places a block's contents, and which of them are written.
enum class ReferenceKind {
  kBlock,          // a block reference: its block, with its attributes
  kDimension,      // its block is drawn where it stands, else its `fallback` text
  kTable,          // its block is placed like a reference's, else its `ownTexts` (the cells)
  kLeaderContent,  // a leader's block: only its `ownTexts` (the attributes' values)
};

// A block reference (a grid of copies when it has more than one column or
// row), a dimension, a table or a leader's block, inside a definition or at
// the top of a space.
struct BlockReference {
  std::string name;  // the referenced block, as written
  std::string key;   // the same with capitals folded: how the store finds it (the model sets it)
  uint64_t line = 0;
  ReferenceKind kind = ReferenceKind::kBlock;
  std::string layer;       // its own layer, as written (empty: layer 0)
  bool invisible = false;  // hides everything it shows
  Vec3 insertionPoint;     // in the reference's own coordinate system (of `extrusion`)
  Vec3 scale{1, 1, 1};     // along the block's X, Y and Z; a negative one mirrors
  double rotation = 0.0;   // degrees, about the reference's Z axis
  Vec3 extrusion{0, 0, 1};
  int32_t columns = 1, rows = 1;                 // of the grid; less than 1 counts as 1
  double columnSpacing = 0.0, rowSpacing = 0.0;  // between the grid's cells
  std::vector<BlockText> attributes;             // in the holder's coordinates
  // A dimension: the text to write when its block is missing.
  BlockText fallback;
  bool hasFallback = false;
  // A table's cells and a leader's attributes: texts the entity holds itself,
  // in its block's coordinates measured from the block's base point.
  std::vector<BlockText> ownTexts;
};

struct BlockDefinition {
  std::string name;
  std::string recordHandle;  // the block record it draws (letter case folded)
  Vec3 basePoint;
  uint64_t line = 0;
  std::vector<std::variant<BlockText, BlockReference>> items;
};

// Definitions found by name, letter case ignored as block names are.
class BlockStore {
 public:
  BlockDefinition& Add(BlockDefinition definition);
  // The index of the definition (for cycle detection) whose name, with
  // capitals folded (text::AsciiUpperCase), is `key`; or -1.
  int64_t IndexOf(const std::string& key) const;
  const BlockDefinition& At(std::size_t index) const { return definitions_[index]; }
  std::size_t Size() const { return definitions_.size(); }
  BlockDefinition& Last() { return definitions_.back(); }

 private:
  std::vector<BlockDefinition> definitions_;
  std::unordered_map<std::string, std::size_t> byName_;
};

}  // namespace toridasu::model
