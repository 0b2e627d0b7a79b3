#include "model/block_expansion.h"

#include <algorithm>

#include "text/ascii_case.h"

namespace toridasu::model {
namespace {

const std::string kLayerZero = "0";

std::string Joined(const std::string& path, const std::string& name) {
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

bool BlockExpander::Spend(const std::string& name, uint64_t line) {
  if (cut_) return false;
  if (++work_ <= limits_.maxCopies) return true;
  warnings_.Add(Warning::Kind::kTooManyCopies, name, line);
  cut_ = true;
  return false;
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

void BlockExpander::EmitTopInPlace(BlockText& text, const std::string& space) {
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

void BlockExpander::EmitText(const BlockText& text, const Affine3& transform, bool identity,
                             const std::string& path, const std::string& space) {
  if (!Spend(path, text.record.line)) return;
  placed_ = text.record;
  placed_.space = space;
  placed_.block = path;
  if (holder_.layer || placed_.layer.empty()) placed_.layer = LayerOf(text.record.layer);
  placed_.visible = placed_.visible && !holder_.hides && !layers_.StateOf(placed_.layer).Hides();
  if (inDimension_) placed_.type = "DIMENSION";
  if (!identity) {
    placed_.point = transform.ApplyToPoint(text.record.point);
    placed_.align = transform.ApplyToPoint(text.record.align);
    const TextFrame frame = TransformTextFrame(transform, OcsFromExtrusion(text.frame.extrusion),
                                               text.frame.rotation, text.frame.height);
    placed_.rotation = frame.rotationDegrees;
    placed_.height = frame.height;
  }
  emit_(placed_);
}

void BlockExpander::ExpandItems(const BlockDefinition& definition, const Affine3& transform,
                                bool identity, const std::string& path, const std::string& space) {
  for (const auto& item : definition.items) {
    if (cut_) return;
    if (const BlockText* text = std::get_if<BlockText>(&item)) {
      EmitText(*text, transform, identity, path, space);
    } else {
      ExpandOne(std::get<BlockReference>(item), transform, identity, path, space);
    }
  }
}

void BlockExpander::ExpandOne(const BlockReference& reference, const Affine3& holder,
                              bool holderIdentity, const std::string& path,
                              const std::string& space) {
  const std::string inner = Joined(path, reference.name);
  if (reference.dimension) {
    ExpandDimension(reference, holder, holderIdentity, inner, space);
    return;
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
  const bool outer = inDimension_;
  inDimension_ = true;
  std::string layer;
  const Holder outerHolder = Enter(reference, layer);
  ExpandItems(store_.At(static_cast<std::size_t>(index)), holder, holderIdentity, inner, space);
  holder_ = outerHolder;
  inDimension_ = outer;
  open_.pop_back();
}

}  // namespace toridasu::model
