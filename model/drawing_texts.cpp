#include "model/drawing_texts.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "model/names.h"
#include "text/ascii_case.h"

namespace toridasu::model {
namespace {

// The spaces as drawings hold them among the block definitions: model space,
// and one paper space per layout (*PAPER_SPACE, *PAPER_SPACE0, ...).
constexpr std::string_view kPaperSpaceBlock = "*PAPER_SPACE";
constexpr std::string_view kModelSpaceBlock = "*MODEL_SPACE";

bool IsFinite(const Point3& point) {
  return std::isfinite(point.x) && std::isfinite(point.y) && std::isfinite(point.z);
}

// Huge scales or spacings can carry a text out of the doubles' range; such a
// record has no place to write.
bool HasFiniteNumbers(const TextRecord& record) {
  return IsFinite(record.point) && IsFinite(record.align) && std::isfinite(record.height) &&
         std::isfinite(record.rotation);
}

}  // namespace

DrawingTexts::DrawingTexts(const TextSelection& selection, WarningLog& warnings, Emit emit)
    : selection_(selection),
      warnings_(warnings),
      emit_(std::move(emit)),
      expander_(
          store_, layers_, warnings,
          [this](const TextRecord& record) {
            if (!selection_.types.empty() &&
                std::find(selection_.types.begin(), selection_.types.end(), record.type) ==
                    selection_.types.end())
              return;
            if (!LayerKept(record.layer)) return;
            if (!record.visible && !selection_.hidden) {
              ++hidden_;
              return;
            }
            if (!HasFiniteNumbers(record)) {
              if (notFinite_++ == 0) firstNotFiniteLine_ = record.line;
              return;
            }
            emit_(record);
          },
          selection.blocks, selection.dimensions, selection.limits, selection.stop) {}

void DrawingTexts::BlockRecord(std::string_view handle, std::string name) {
  recordNames_[text::AsciiUpperCase(handle)] = std::move(name);
}

void DrawingTexts::Layout(std::string_view blockRecord, std::string name) {
  layoutNames_[text::AsciiUpperCase(blockRecord)] = std::move(name);
}

bool DrawingTexts::LayerKept(const std::string& layer) {
  if (selection_.layers.Empty()) return true;
  // Texts come in runs on one layer: the last answer serves again.
  if (layer != lastLayer_ || !layerAnswered_) {
    lastLayer_ = layer;
    lastLayerKept_ = selection_.layers.Matches(layer);
    layerAnswered_ = true;
  }
  return lastLayerKept_;
}

void DrawingTexts::Layer(std::string name, LayerState state) {
  layers_.Add(std::move(name), state);
}

void DrawingTexts::BeginBlock(BlockDefinition definition) {
  definition.recordHandle = text::AsciiUpperCase(definition.recordHandle);
  if (store_.IndexOf(text::AsciiUpperCase(definition.name)) >= 0)
    warnings_.Add(Warning::Kind::kDuplicateBlock, definition.name, definition.line);
  store_.Add(std::move(definition));
  inBlock_ = true;
}

void DrawingTexts::EndBlock() { inBlock_ = false; }

void DrawingTexts::Text(BlockText& text, const Whereabouts& where) {
  if (!inBlock_ && !where.paperSpace) {
    // The common case streams through the reader's one reused record.
    expander_.EmitTopInPlace(text, modelSpace_);
    return;
  }
  Place(std::move(text), where);
}

void DrawingTexts::Reference(BlockReference reference, const Whereabouts& where) {
  reference.key = text::AsciiUpperCase(reference.name);
  Place(std::move(reference), where);
}

BlockItem DrawingTexts::Kept(std::variant<BlockText, BlockReference>&& item) {
  if (const BlockText* text = std::get_if<BlockText>(&item)) return store_.Keep(*text);
  return std::make_unique<BlockReference>(std::move(std::get<BlockReference>(item)));
}

void DrawingTexts::Place(std::variant<BlockText, BlockReference> item, const Whereabouts& where) {
  if (inBlock_) {
    if (store_.Size() != 0) store_.Last().items.push_back(Kept(std::move(item)));
    return;
  }
  if (!where.paperSpace || !where.layout.empty()) {
    std::string space = where.paperSpace ? std::string(where.layout) : modelSpace_;
    const BlockReference* reference = std::get_if<BlockReference>(&item);
    if (reference && store_.IndexOf(reference->key) < 0) {
      // Its block may come later in the drawing (a BLOCKS section after the
      // entities): the reference waits for the end.
      waiting_.push_back({std::move(space), std::move(std::get<BlockReference>(item))});
      return;
    }
    WriteTop(item, space);
  } else {
    held_.push_back(
        {text::AsciiUpperCase(where.owner), Kept(std::move(item))});  // named at the end
  }
}

void DrawingTexts::WriteTop(const std::variant<BlockText, BlockReference>& item,
                            const std::string& space) {
  if (const BlockText* text = std::get_if<BlockText>(&item)) {
    expander_.EmitTop(*text, space);
  } else {
    expander_.ExpandReference(std::get<BlockReference>(item), space);
  }
}

void DrawingTexts::WriteTop(const BlockItem& item, const std::string& space) {
  if (const StoredText* text = std::get_if<StoredText>(&item)) {
    expander_.EmitTop(*text, space);
  } else {
    expander_.ExpandReference(*std::get<std::unique_ptr<BlockReference>>(item), space);
  }
}

std::string DrawingTexts::LayoutOfRecord(const std::string& recordHandle,
                                         const std::string& fallback) const {
  const auto layout = layoutNames_.find(recordHandle);
  if (layout != layoutNames_.end() && !layout->second.empty()) return layout->second;
  const auto record = recordNames_.find(recordHandle);
  if (record != recordNames_.end() && !record->second.empty()) return record->second;
  return fallback;
}

void DrawingTexts::Finish() {
  inBlock_ = false;
  for (const Held& held : held_) WriteTop(held.item, LayoutOfRecord(held.owner, "*Paper_Space"));
  held_.clear();
  for (Waiting& waiting : waiting_) expander_.ExpandReference(waiting.reference, waiting.space);
  waiting_.clear();
  for (std::size_t i = 0; i < store_.Size(); ++i) {
    const BlockDefinition& definition = store_.At(i);
    const std::string folded = text::AsciiUpperCase(definition.name);
    if (folded == kModelSpaceBlock) {
      expander_.ExpandDefinition(definition, modelSpace_);
    } else if (folded.starts_with(kPaperSpaceBlock)) {
      expander_.ExpandDefinition(definition,
                                 LayoutOfRecord(definition.recordHandle, definition.name));
    }
  }
  if (notFinite_ != 0)
    warnings_.Add(Warning::Kind::kNotFinite, std::to_string(notFinite_), firstNotFiniteLine_);
}

}  // namespace toridasu::model
