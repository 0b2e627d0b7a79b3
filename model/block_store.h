// Block definitions as the model keeps them: each text already decoded and
// in the block's own coordinates, each reference with what places it. This
// is the only part of a drawing held in memory, so its texts are kept
// compact: numbers in place, strings in one arena, the names that repeat
// (type, layer, style) once.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
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

// A text as the store keeps it (its space and block are those it is shown
// in, set when it is written).
struct StoredText {
  Point3 point, align;
  double height = 0.0, rotation = 0.0;            // of the record
  double frameRotation = 0.0, frameHeight = 0.0;  // in its own coordinate system
  uint64_t line = 0;
  const char* strings = nullptr;  // the text, then the handle, in the store's arena
  uint32_t textSize = 0, handleSize = 0;
  uint32_t extrusion = 0;                   // index of the store's extrusions
  uint32_t type = 0, layer = 0, style = 0;  // indexes of the store's names
  bool visible = true;
};

// An item of a definition. References are few and large: each is held apart.
using BlockItem = std::variant<StoredText, std::unique_ptr<BlockReference>>;

struct BlockDefinition {
  std::string name;
  std::string recordHandle;  // the block record it draws (letter case folded)
  Vec3 basePoint;
  uint64_t line = 0;
  std::deque<BlockItem> items;  // grows without copying what it holds
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

  // A text in the store's compact form, and back: `record` gets all but its
  // space and block.
  StoredText Keep(const BlockText& text);
  void Restore(const StoredText& text, TextRecord& record, TextFrameInOcs& frame) const;

 private:
  uint32_t NameIndex(const std::string& name);
  uint32_t ExtrusionIndex(const Vec3& extrusion);
  // `first` and `second` one after the other in the arena.
  const char* Copy(std::string_view first, std::string_view second);

  std::deque<BlockDefinition> definitions_;
  std::unordered_map<std::string, std::size_t> byName_;
  std::vector<std::string> names_;
  std::unordered_map<std::string, uint32_t> nameIndexes_;
  std::vector<Vec3> extrusions_{Vec3{0, 0, 1}};
  std::vector<std::unique_ptr<char[]>> chunks_;  // the arena: never moved once written
  char* free_ = nullptr;
  std::size_t freeSize_ = 0;
};

}  // namespace toridasu::model
