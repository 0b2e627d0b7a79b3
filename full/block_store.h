// Block definitions as the full reading keeps them: each text already decoded
// and in the block's own coordinates, each reference with what places it.
// This is the only part of a drawing held in memory.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <variant>
#include <vector>

#include "full/ocs.h"
#include "full/text_building.h"
#include "full/text_record.h"

namespace toridasu::full {

// A text of a definition, in the definition's coordinates.
struct BlockText {
  TextRecord record;
  TextFrameInOcs frame;
};

// An INSERT (MINSERT: a grid of them) or a DIMENSION inside a definition, or
// at the top of a space.
struct BlockReference {
  std::string name;  // the referenced block, as written
  std::string key;   // the same with capitals folded: how the store finds it
  uint64_t line = 0;
  bool dimension = false;  // a DIMENSION: its block is drawn where it stands
  Vec3 insertionPoint;     // in the reference's OCS
  Vec3 scale{1, 1, 1};
  double rotation = 0.0;
  Vec3 extrusion{0, 0, 1};
  int32_t columns = 1, rows = 1;
  double columnSpacing = 0.0, rowSpacing = 0.0;
  std::vector<BlockText> attributes;  // its ATTRIBs, in the holder's coordinates
  // DIMENSION: the text to write when its block is missing.
  BlockText fallback;
  bool hasFallback = false;
};

struct BlockDefinition {
  std::string name;
  std::string recordHandle;  // its BLOCK_RECORD (the BLOCK's owner)
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

}  // namespace toridasu::full
