#include "model/block_expansion.h"

#include <algorithm>
#include <string>

#include "text/ascii_case.h"

namespace toridasu::model {
namespace {

// The types that the texts of a dimension's or a table's block are written as.
constexpr std::string_view kDimensionType = "DIMENSION";
constexpr std::string_view kTableType = "ACAD_TABLE";
const std::string kLayerZero = "0";

std::string Joined(const std::string& path, const std::string& name) {
  if (name.empty()) return path;  // a nameless reference adds nothing to the path
  return path.empty() ? name : path + "/" + name;
}

}  // namespace

void BlockExpander::ExpandReference(const BlockReference& reference, const std::string& space) {
  work_ = 0;
  cut_ = false;
  holder_ = {nullptr, false};
  ExpandOne(reference, Affine3{}, true, "", space);
}

void BlockExpander::ExpandDefinition(const BlockDefinition& definition, const std::string& space) {
  work_ = 0;
  cut_ = false;
  holder_ = {nullptr, false};
  open_.assign(1, store_.IndexOf(text::AsciiUpperCase(definition.name)));
  ExpandItems(definition, Affine3{}, true, "", space);
  open_.clear();
}

bool BlockExpander::SpendOfDrawing(uint64_t line) {
  if (spent_) return false;
  ++drawingWork_;
  // The stop flag is shared with the thread that sets it: looked at now and then.
  constexpr uint64_t kStopCheckEvery = 4096;
  if (drawingWork_ % kStopCheckEvery == 0 && stop_ && stop_->load(std::memory_order_relaxed))
    throw ExpansionStopped{};
  if (drawingWork_ <= limits_.maxWork) return true;
  warnings_.Add(Warning::Kind::kBudgetSpent, std::to_string(limits_.maxWork), line);
  spent_ = true;
  return false;
}

bool BlockExpander::Spend(const std::string& name, uint64_t line) {
  if (cut_ || !SpendOfDrawing(line)) return false;
  if (++work_ <= limits_.maxCopies) return true;
  warnings_.Add(Warning::Kind::kTooManyCopies, name, line);
  cut_ = true;
  return false;
}

const std::string& BlockExpander::LayerOf(const std::string& own) const {
  if (holder_.layer && OnLayerZero(own)) return *holder_.layer;
  return own.empty() ? kLayerZero : own;
}

BlockExpander::Holder BlockExpander::Enter(const BlockReference& reference, std::string& layer) {
  layer = LayerOf(reference.layer);
  const Holder outer = holder_;
  holder_ = {&layer, outer.hides || reference.invisible || layers_.StateOf(layer).frozen};
  return outer;
}

bool BlockExpander::MayOpen(int64_t index, const BlockReference& reference) {
  if (std::find(open_.begin(), open_.end(), index) != open_.end()) {
    warnings_.Add(Warning::Kind::kBlockCycle, reference.name, reference.line);
    return false;
  }
  if (open_.size() >= static_cast<std::size_t>(limits_.maxDepth)) {
    warnings_.Add(Warning::Kind::kTooDeep, reference.name, reference.line);
    return false;
  }
  return true;
}

void BlockExpander::EmitTopInPlace(BlockText& text, const std::string& space) {
  if (!SpendOfDrawing(text.record.line)) return;
  // Nothing to place: the record itself is written.
  TextRecord& record = text.record;
  record.space = space;
  record.block.clear();
  if (record.layer.empty()) record.layer = kLayerZero;
  record.visible = record.visible && !layers_.StateOf(record.layer).Hides();
  emit_(record);
}

void BlockExpander::EmitTop(const BlockText& text, const std::string& space) {
  work_ = 0;
  cut_ = false;
  holder_ = {nullptr, false};
  EmitText(text, Affine3{}, true, "", space);
}

void BlockExpander::EmitTop(const StoredText& text, const std::string& space) {
  work_ = 0;
  cut_ = false;
  holder_ = {nullptr, false};
  EmitText(text, Affine3{}, true, "", space);
}

void BlockExpander::EmitText(const BlockText& text, const Affine3& transform, bool identity,
                             const std::string& path, const std::string& space) {
  if (!Spend(path, text.record.line)) return;
  placed_ = text.record;
  EmitPlaced(text.frame, transform, identity, path, space);
}

void BlockExpander::EmitText(const StoredText& text, const Affine3& transform, bool identity,
                             const std::string& path, const std::string& space) {
  if (!Spend(path, text.line)) return;
  store_.Restore(text, placed_, placedFrame_);
  EmitPlaced(placedFrame_, transform, identity, path, space);
}

void BlockExpander::EmitPlaced(const TextFrameInOcs& frame, const Affine3& transform, bool identity,
                               const std::string& path, const std::string& space) {
  placed_.space = space;
  placed_.block = path;
  if (holder_.layer || placed_.layer.empty()) placed_.layer = LayerOf(placed_.layer);
  placed_.visible = placed_.visible && !holder_.hides && !layers_.StateOf(placed_.layer).Hides();
  if (!shownAs_.empty()) placed_.type = shownAs_;
  if (!identity) {
    placed_.point = transform.ApplyToPoint(placed_.point);
    placed_.align = transform.ApplyToPoint(placed_.align);
    const TextFrame turned = TransformTextFrame(transform, OcsFromExtrusion(frame.extrusion),
                                                frame.rotation, frame.height);
    placed_.rotation = turned.rotationDegrees;
    placed_.height = turned.height;
  }
  emit_(placed_);
}

void BlockExpander::ExpandItems(const BlockDefinition& definition, const Affine3& transform,
                                bool identity, const std::string& path, const std::string& space) {
  for (const BlockItem& item : definition.items) {
    if (cut_ || spent_) return;
    if (const StoredText* text = std::get_if<StoredText>(&item)) {
      EmitText(*text, transform, identity, path, space);
    } else {
      ExpandOne(*std::get<std::unique_ptr<BlockReference>>(item), transform, identity, path, space);
    }
  }
}

void BlockExpander::ExpandOne(const BlockReference& reference, const Affine3& holder,
                              bool holderIdentity, const std::string& path,
                              const std::string& space) {
  // Walking a reference is work even where it shows nothing (a missing
  // block, a cycle, nesting too deep).
  if (!SpendOfDrawing(reference.line)) return;
  const std::string inner = Joined(path, reference.name);
  switch (reference.kind) {
    case ReferenceKind::kDimension:
      ExpandDimension(reference, holder, holderIdentity, inner, space);
      return;
    case ReferenceKind::kTable:
    case ReferenceKind::kLeaderContent: ExpandPlacedTexts(reference, holder, inner, space); return;
    case ReferenceKind::kBlock: break;
  }
  // The definition to draw in every cell, unless it cannot or must not be.
  const BlockDefinition* definition = nullptr;
  const int64_t index = expandBlocks_ ? store_.IndexOf(reference.key) : -1;
  if (expandBlocks_ && index < 0) {
    warnings_.Add(Warning::Kind::kMissingBlock, reference.name, reference.line);
  } else if (index >= 0 && MayOpen(index, reference)) {
    definition = &store_.At(static_cast<std::size_t>(index));
  }
  if (!definition && reference.attributes.empty()) return;

  const uint64_t columns = static_cast<uint64_t>(std::max<int32_t>(1, reference.columns));
  const uint64_t rows = static_cast<uint64_t>(std::max<int32_t>(1, reference.rows));
  uint64_t cells = columns * rows;
  if (cells > limits_.maxGridCopies) {
    warnings_.Add(Warning::Kind::kTooManyCopies, reference.name, reference.line);
    cells = limits_.maxGridCopies;
  }
  BlockPlacement placement;
  placement.basePoint = definition ? definition->basePoint : Vec3{};
  placement.insertionPoint = reference.insertionPoint;
  placement.scale = reference.scale;
  placement.rotationDegrees = reference.rotation;
  placement.extrusion = reference.extrusion;
  const Affine3 firstCell = BlockTransform(placement);
  std::string layer;
  const Holder outer = Enter(reference, layer);
  if (definition) open_.push_back(index);
  for (uint64_t cell = 0; cell < cells && !cut_; ++cell) {
    if (!Spend(inner, reference.line)) break;
    placement.columnOffset = static_cast<double>(cell % columns) * reference.columnSpacing;
    placement.rowOffset = static_cast<double>(cell / columns) * reference.rowSpacing;
    const Affine3 local = cell == 0 ? firstCell : BlockTransform(placement);
    // The attributes stand where the reference put them, moved with each cell.
    const Affine3 moved = Compose(holder, Affine3::Translation(Subtract(local.t, firstCell.t)));
    for (const BlockText& attribute : reference.attributes) {
      EmitText(attribute, cell == 0 ? holder : moved, holderIdentity && cell == 0, inner, space);
    }
    if (definition) ExpandItems(*definition, Compose(holder, local), false, inner, space);
  }
  if (definition) open_.pop_back();
  holder_ = outer;
}

void BlockExpander::ExpandDimension(const BlockReference& reference, const Affine3& holder,
                                    bool holderIdentity, const std::string& inner,
                                    const std::string& space) {
  if (!dimensions_) return;
  const int64_t index = store_.IndexOf(reference.key);
  if (index < 0) {
    // No block: the dimension's own text.
    if (reference.hasFallback) EmitText(reference.fallback, holder, holderIdentity, inner, space);
    return;
  }
  if (!MayOpen(index, reference)) return;
  // A dimension's block is drawn where the dimension stands.
  open_.push_back(index);
  const std::string_view outer = shownAs_;
  shownAs_ = kDimensionType;
  std::string layer;
  const Holder outerHolder = Enter(reference, layer);
  ExpandItems(store_.At(static_cast<std::size_t>(index)), holder, holderIdentity, inner, space);
  holder_ = outerHolder;
  shownAs_ = outer;
  open_.pop_back();
}

void BlockExpander::ExpandPlacedTexts(const BlockReference& reference, const Affine3& holder,
                                      const std::string& inner, const std::string& space) {
  BlockPlacement placement;
  placement.insertionPoint = reference.insertionPoint;
  placement.scale = reference.scale;
  placement.rotationDegrees = reference.rotation;
  placement.extrusion = reference.extrusion;
  // A table is no block reference to the user: its block is drawn whatever
  // the choice about blocks; a leader's block gives only its attributes.
  const int64_t index =
      reference.kind == ReferenceKind::kTable ? store_.IndexOf(reference.key) : -1;
  if (index >= 0 && !MayOpen(index, reference)) return;
  // The table's or leader's texts take its layer and visibility as a
  // reference's contents do.
  std::string layer;
  const Holder outerHolder = Enter(reference, layer);
  if (index < 0) {
    // The entity's own texts, measured from the base point.
    const Affine3 transform = Compose(holder, BlockTransform(placement));
    for (const BlockText& text : reference.ownTexts) {
      if (cut_ || spent_) break;
      EmitText(text, transform, false, inner, space);
    }
  } else {
    const BlockDefinition& definition = store_.At(static_cast<std::size_t>(index));
    placement.basePoint = definition.basePoint;
    open_.push_back(index);
    const std::string_view outer = shownAs_;
    shownAs_ = kTableType;
    ExpandItems(definition, Compose(holder, BlockTransform(placement)), false, inner, space);
    shownAs_ = outer;
    open_.pop_back();
  }
  holder_ = outerHolder;
}

}  // namespace toridasu::model
