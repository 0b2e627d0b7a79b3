// What a reader of drawings hands the model, in the drawing's order: block
// definitions and their contents, the texts and references of the spaces,
// and the names of the spaces. Every text and name is decoded already
// (UTF-8), every number is a number; nothing here is a reader's own coding.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/block_store.h"
#include "model/layer_table.h"

namespace toridasu::model {

// Where a text or reference at the top of a space stands. Inside a block
// definition the definition holds it, and this is not looked at.
struct Whereabouts {
  bool paperSpace = false;  // else model space
  // Paper space: the layout's name when the item gives it, else empty (the
  // owner's layout is then named by the end of the drawing).
  std::string_view layout;
  std::string_view owner;  // the handle of its space's block record
  uint64_t line = 0;       // where the item stands, for warnings
};

class DrawingSink {
 public:
  virtual ~DrawingSink() = default;

  // A block definition opens; the texts and references up to EndBlock() are
  // its own. `definition` comes without items.
  virtual void BeginBlock(BlockDefinition definition) = 0;
  virtual void EndBlock() = 0;

  // A text, placed: at the top of a space in world coordinates, in a
  // definition in the definition's coordinates. Its space and block are the
  // sink's to set. The sink may take its contents: the reader fills the text
  // again for the next one.
  virtual void Text(BlockText& text, const Whereabouts& where) = 0;

  // A block reference with its attributes, a dimension with the text it
  // shows when its block is missing, a table with its cells for the same
  // case, or a leader's block with the values of its attributes.
  virtual void Reference(BlockReference reference, const Whereabouts& where) = 0;

  // The names of the spaces, wherever the drawing gives them: the block
  // record of handle `handle` draws the block `name`, and the layout `name`
  // shows the block record `blockRecord`. A layout's name wins over its
  // block record's.
  virtual void BlockRecord(std::string_view handle, std::string name) = 0;
  virtual void Layout(std::string_view blockRecord, std::string name) = 0;

  // A layer of the drawing's table, with what it hides; before the texts
  // that stand on it, as drawings list their layers first.
  virtual void Layer(std::string name, LayerState state) = 0;

  // The drawing has ended: what waited for the names of the spaces is given.
  virtual void Finish() = 0;
};

}  // namespace toridasu::model
