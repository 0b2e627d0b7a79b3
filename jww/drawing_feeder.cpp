#include "jww/drawing_feeder.h"

#include <cmath>
#include <numbers>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "jww/code_texts.h"
#include "jww/drawing_names.h"
#include "text/ascii_case.h"

namespace toridasu::jww {
namespace {

constexpr char kSignature[] = "JwwData.";
constexpr std::string_view kTextType = "TEXT";
constexpr std::string_view kDimensionType = "DIMENSION";
// The attribute bits that make a text the value of a dimension: a value, of
// a radius, diameter, angle or running total, or a part of a dimension.
constexpr uint16_t kDimensionValueBits = 0x0010 | 0x0100 | 0x0200 | 0x0400 | 0x1000 | 0x4000;
constexpr uint32_t kHiddenState = 0;

double DegreesOf(double radians) { return radians * 180.0 / std::numbers::pi; }

// A group's scale as a factor: a scale that is no positive number counts as 1.
double Factor(double scale) { return std::isfinite(scale) && scale > 0 ? scale : 1.0; }

}  // namespace

DrawingFeeder::DrawingFeeder(ByteSource& source, const FeedChoice& choice,
                             model::WarningLog& warnings, model::DrawingSink& sink,
                             std::atomic<uint64_t>* progress)
    : reader_(source, progress),
      objects_(reader_),
      choice_(choice),
      warnings_(warnings),
      sink_(sink) {}

void DrawingFeeder::Run() {
  try {
    if (!reader_.Signature(kSignature)) {
      ConversionFailure failure;
      failure.kind = FailureKind::kNotDrawing;
      throw failure;
    }
    ReadHeader(reader_, header_);
    objects_.SetVersion(header_.version);
    ReadLayers();
    ReadTopObjects();
    ReadDefinitions();
    // What follows (the pictures of version 700) holds no text.
  } catch (const ArchiveEnd& end) {
    warnings_.Add(model::Warning::Kind::kCutDrawing, {}, end.offset);
  }
  FeedDefinitionsAndReferences();
  if (controls_ != 0) {
    warnings_.Add(model::Warning::Kind::kControlCharacters, std::to_string(controls_),
                  firstControlOffset_);
  }
  sink_.Finish();
}

void DrawingFeeder::ReadLayers() {
  for (int g = 0; g < kLayerGroups; ++g) {
    const LayerGroup& group = header_.groups[g];
    const std::string groupName = NameOf(group.name, choice_.strings.codePage);
    for (int l = 0; l < kLayersPerGroup; ++l) {
      const std::string layerName = NameOf(group.layerNames[l], choice_.strings.codePage);
      std::string& name = layerNames_[g][l];
      name = LayerName(static_cast<unsigned>(g), static_cast<unsigned>(l), groupName, layerName);
      // A hidden layer, or one in a hidden group, hides what stands on it and
      // everything that a block reference on it shows.
      const bool hidden = group.state == kHiddenState || group.layerStates[l] == kHiddenState;
      // The layers the model lists are those the drawing names or hides;
      // the others are listed as texts come on them.
      if (hidden || !groupName.empty() || !layerName.empty()) {
        sink_.Layer(name, model::LayerState{hidden, hidden});
      }
    }
  }
}

const std::string& DrawingFeeder::LayerOf(const ObjectBase& base) {
  if (base.layerGroup < kLayerGroups && base.layer < kLayersPerGroup)
    return layerNames_[base.layerGroup][base.layer];
  otherLayer_ = LayerName(base.layerGroup, base.layer, {}, {});
  return otherLayer_;
}

double DrawingFeeder::ScaleOf(const ObjectBase& base) const {
  if (base.layerGroup >= kLayerGroups) return 1.0;
  return Factor(header_.groups[base.layerGroup].scale);
}

bool DrawingFeeder::ReadText(ObjectClass objectClass, uint64_t offset) {
  model::TextRecord& record = text_.record;
  if (objectClass == ObjectClass::kDimension) {
    objects_.Dimension(textBase_, object_);  // the dimension's own layer, not its value's
  } else {
    objects_.Text(object_);
    textBase_ = object_.base;
  }
  const bool isDimension =
      objectClass == ObjectClass::kDimension || (object_.base.flags & kDimensionValueBits) != 0;
  if (isDimension && !choice_.dimensions) return false;
  const uint64_t controls = TextOf(object_.text, choice_.strings, offset, record.text);
  if (record.text.empty() || IsCodeText(object_, record.text)) return false;
  if (controls != 0 && controls_ == 0) firstControlOffset_ = offset;
  controls_ += controls;
  record.type = isDimension ? kDimensionType : kTextType;
  record.layer = LayerOf(textBase_);
  // Texts come in runs of one font: its name is decoded once a run.
  if (object_.font.bytes != fontBytes_ || object_.font.wide != fontWide_) {
    fontBytes_ = object_.font.bytes;
    fontWide_ = object_.font.wide;
    font_ = NameOf(object_.font, choice_.strings.codePage);
  }
  record.style = font_;
  record.point = {object_.startX, object_.startY, 0};
  record.align = record.point;
  record.height = object_.height;
  record.rotation = object_.angleDegrees;
  record.visible = true;
  record.line = offset;
  text_.frame = {};
  text_.frame.rotation = object_.angleDegrees;
  text_.frame.height = object_.height;
  return true;
}

void DrawingFeeder::ReadTopObjects() {
  const uint64_t count = reader_.Count();
  BlockObject block;
  for (uint64_t i = 0; i < count; ++i) {
    const uint64_t offset = reader_.Offset();
    const ObjectTag tag = tags_.Next(reader_);
    if (tag.what != ObjectTag::What::kNew) continue;  // nothing, or an object met before
    switch (tag.objectClass) {
      case ObjectClass::kText:
      case ObjectClass::kDimension: {
        if (!ReadText(tag.objectClass, offset)) break;
        // At the top, a text stands at its real size.
        const double scale = ScaleOf(textBase_);
        model::TextRecord& record = text_.record;
        record.point = {record.point.x * scale, record.point.y * scale, 0};
        record.align = record.point;
        record.height *= scale;
        text_.frame.height = record.height;
        model::Whereabouts where;
        where.line = offset;
        sink_.Text(text_, where);
        break;
      }
      case ObjectClass::kBlock:
        objects_.Block(block);
        topReferences_.push_back({block.x, block.y, block.scaleX, block.scaleY,
                                  block.rotationRadians, block.number, block.base.layer,
                                  block.base.layerGroup, offset});
        break;
      case ObjectClass::kList:
        RaiseDamage(Damage::kMisplacedObject, offset, std::string(ClassName(tag.objectClass)));
      default: objects_.Skip(tag.objectClass); break;
    }
  }
}

void DrawingFeeder::ReadDefinitions() {
  const uint64_t count = reader_.Count();
  for (uint64_t i = 0; i < count; ++i) {
    const uint64_t offset = reader_.Offset();
    const ObjectTag tag = tags_.Next(reader_);
    if (tag.what != ObjectTag::What::kNew) continue;
    if (tag.objectClass != ObjectClass::kList) {
      RaiseDamage(Damage::kMisplacedObject, offset, std::string(ClassName(tag.objectClass)));
    }
    ReadDefinition();
  }
}

void DrawingFeeder::ReadDefinition() {
  const uint64_t offset = reader_.Offset();
  DefinitionHead head;
  objects_.Definition(head);
  Definition& held = definitions_.emplace_back();
  held.number = head.number;
  held.name = BlockName(NameOf(head.name, choice_.strings.codePage));
  held.line = offset;
  const uint64_t count = reader_.Count();
  BlockObject block;
  for (uint64_t i = 0; i < count; ++i) {
    const uint64_t itemOffset = reader_.Offset();
    const ObjectTag tag = tags_.Next(reader_);
    if (tag.what != ObjectTag::What::kNew) continue;
    switch (tag.objectClass) {
      case ObjectClass::kText:
      case ObjectClass::kDimension:
        // On paper, from the definition's origin.
        if (ReadText(tag.objectClass, itemOffset)) held.items.emplace_back(text_);
        break;
      case ObjectClass::kBlock: {
        objects_.Block(block);
        model::BlockReference reference;
        reference.line = itemOffset;
        reference.layer = LayerOf(block.base);
        reference.insertionPoint = {block.x, block.y, 0};
        reference.scale = {block.scaleX, block.scaleY, 1};
        reference.rotation = DegreesOf(block.rotationRadians);
        held.items.emplace_back(std::move(reference));
        held.referenced.push_back(block.number);
        break;
      }
      case ObjectClass::kList:
        RaiseDamage(Damage::kMisplacedObject, itemOffset, std::string(ClassName(tag.objectClass)));
      default: objects_.Skip(tag.objectClass); break;
    }
  }
}

void DrawingFeeder::FeedDefinitionsAndReferences() {
  // Names as Jw_cad shows them, made unique (the model finds blocks by name,
  // letters folded): a name met before, or none, takes its number.
  std::unordered_set<std::string> taken;
  std::unordered_map<uint32_t, std::string> byNumber;
  for (Definition& held : definitions_) {
    std::string& name = held.name;
    if (name.empty() || taken.contains(text::AsciiUpperCase(name))) {
      name += "#" + std::to_string(held.number);
      while (taken.contains(text::AsciiUpperCase(name))) name += "#";
    }
    taken.insert(text::AsciiUpperCase(name));
    if (byNumber.contains(held.number)) {
      warnings_.Add(model::Warning::Kind::kDuplicateBlock, byNumber[held.number], held.line);
    }
    byNumber[held.number] = name;  // a later definition of a number wins
  }
  const auto nameOf = [&byNumber](uint32_t number) {
    const auto found = byNumber.find(number);
    return found != byNumber.end() ? found->second : "#" + std::to_string(number);
  };
  const model::Whereabouts nowhere;
  for (Definition& held : definitions_) {
    model::BlockDefinition definition;
    definition.name = held.name;
    definition.line = held.line;
    sink_.BeginBlock(std::move(definition));
    std::size_t next = 0;
    for (auto& item : held.items) {
      if (auto* text = std::get_if<model::BlockText>(&item)) {
        sink_.Text(*text, nowhere);
      } else {
        auto& reference = std::get<model::BlockReference>(item);
        reference.name = nameOf(held.referenced[next++]);
        sink_.Reference(std::move(reference), nowhere);
      }
    }
    sink_.EndBlock();
    held.items.clear();
  }
  for (const TopReference& top : topReferences_) {
    const ObjectBase base{0, 0, top.layer, top.group, 0};
    const double scale = ScaleOf(base);
    model::BlockReference reference;
    reference.name = nameOf(top.number);
    reference.line = top.offset;
    reference.layer = LayerOf(base);
    reference.insertionPoint = {top.x * scale, top.y * scale, 0};
    reference.scale = {top.scaleX * scale, top.scaleY * scale, 1};
    reference.rotation = DegreesOf(top.rotationRadians);
    model::Whereabouts where;
    where.line = top.offset;
    sink_.Reference(std::move(reference), where);
  }
}

}  // namespace toridasu::jww
