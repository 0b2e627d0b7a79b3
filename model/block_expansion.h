// Texts shown through block references, tables and the blocks of leaders:
// each text of the referenced definition, and of the definitions it
// references in turn, placed in the world by the composed transforms.
// Nothing is copied per reference, so a block referenced 100,000 times is
// held once. A cycle, a missing block, too deep a nesting and too many copies
// are cut, each with one warning. All the work of a drawing together (texts
// written, references walked, grid cells) is bounded, so that no drawing can
// make the expansion run on for long.
//
// What a reference shows takes its layer where it stands on layer 0, and is
// hidden with it: a reference that is invisible or on a frozen layer hides
// all it shows, one on a layer that is off hides what takes its layer. Its
// attributes belong to it in the same way.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "model/block_store.h"
#include "model/layer_table.h"
#include "model/ocs.h"
#include "model/warnings.h"

namespace toridasu::model {

struct ExpansionLimits {
  int32_t maxDepth = 16;           // references inside references
  uint64_t maxGridCopies = 10000;  // cells of one reference's grid
  uint64_t maxCopies = 1000000;    // texts and cells through one top-level reference
  // The drawing's whole budget: its texts, and every reference walked and
  // grid cell drawn on the way to them (missing and cut ones included).
  uint64_t maxWork = 10000000;
};

// Raised out of the expansion once the run's stop flag is set.
struct ExpansionStopped {};

class BlockExpander {
 public:
  using Emit = std::function<void(const TextRecord&)>;

  // `stop` (may be null) is looked at as the work goes on: once set, the
  // expansion raises ExpansionStopped.
  BlockExpander(const BlockStore& blocks, const LayerTable& layers, WarningLog& warnings, Emit emit,
                bool expandBlocks = true, bool dimensions = true, ExpansionLimits limits = {},
                const std::atomic<bool>* stop = nullptr)
      : store_(blocks),
        layers_(layers),
        warnings_(warnings),
        emit_(std::move(emit)),
        expandBlocks_(expandBlocks),
        dimensions_(dimensions),
        limits_(limits),
        stop_(stop) {}

  // The texts that `reference`, at the top of the space `space`, shows.
  void ExpandReference(const BlockReference& reference, const std::string& space);
  // The texts of a definition drawn as it is (a paper-space layout).
  void ExpandDefinition(const BlockDefinition& definition, const std::string& space);

  // A text at the top of a space, written as it stands.
  void EmitTop(const BlockText& text, const std::string& space);
  void EmitTop(const StoredText& text, const std::string& space);
  // The same without a copy: the text's space, block, layer and visibility
  // are set in it.
  void EmitTopInPlace(BlockText& text, const std::string& space);
  // Writes `text` placed by `transform` (skipped when `identity`).
  void EmitText(const BlockText& text, const Affine3& transform, bool identity,
                const std::string& path, const std::string& space);
  void EmitText(const StoredText& text, const Affine3& transform, bool identity,
                const std::string& path, const std::string& space);

 private:
  // Writes the text in placed_, whose frame is `frame`.
  void EmitPlaced(const TextFrameInOcs& frame, const Affine3& transform, bool identity,
                  const std::string& path, const std::string& space);
  void ExpandItems(const BlockDefinition& definition, const Affine3& transform, bool identity,
                   const std::string& path, const std::string& space);
  // Counts one unit of work against the limit of the current top-level
  // reference and the drawing's budget; false (with a warning) once either
  // is spent.
  bool Spend(const std::string& name, uint64_t line);
  // Counts one unit against the drawing's budget alone; false once it is spent.
  bool SpendOfDrawing(uint64_t line);
  // Whether the definition at `index` may be opened for `reference`: false
  // (with a warning) when it is open already or nesting is too deep.
  bool MayOpen(int64_t index, const BlockReference& reference);
  void ExpandDimension(const BlockReference& reference, const Affine3& holder, bool holderIdentity,
                       const std::string& inner, const std::string& space);
  // The layer an item shows on: its own, or where that is layer 0 inside a
  // reference, the reference's.
  const std::string& LayerOf(const std::string& own) const;
  // Makes `reference` the holder of what follows, until the returned holder
  // is restored.
  struct Holder {
    const std::string* layer;
    bool hides;
  };
  Holder Enter(const BlockReference& reference, std::string& layer);
  // A table's block (else its cells), or a leader block's attributes.
  void ExpandPlacedTexts(const BlockReference& reference, const Affine3& holder,
                         const std::string& inner, const std::string& space);
  void ExpandOne(const BlockReference& reference, const Affine3& holder, bool holderIdentity,
                 const std::string& path, const std::string& space);

  const BlockStore& store_;
  const LayerTable& layers_;
  WarningLog& warnings_;
  Emit emit_;
  bool expandBlocks_;
  bool dimensions_;
  ExpansionLimits limits_;
  const std::atomic<bool>* stop_;
  uint64_t drawingWork_ = 0;   // units of the drawing's budget spent
  bool spent_ = false;         // the drawing's budget is spent: nothing more is written
  std::vector<int64_t> open_;  // definitions being expanded, outermost first
  uint64_t work_ = 0;          // texts and grid cells through the current top-level reference
  std::string_view shownAs_;   // texts of a dimension's or table's block take its type
  // The reference whose contents are being expanded: the layer its layer-0
  // items take (null at the top of a space), and whether it hides them all.
  Holder holder_{nullptr, false};
  bool cut_ = false;  // the copy limit of the current top-level reference was hit
  TextRecord placed_;
  TextFrameInOcs placedFrame_;  // of a kept text, restored with it
};

}  // namespace toridasu::model
