#include "full/drawing_texts.h"

#include <algorithm>

#include "engine/conversion_failure.h"
#include "engine/format_real.h"
#include "full/mtext_plain.h"
#include "text/ascii_case.h"
#include "text/encoding_names.h"
#include "text/text_codes.h"

namespace toridasu::full {
namespace {

constexpr std::string_view kPaperSpaceBlock = "*PAPER_SPACE";
constexpr std::string_view kModelSpaceBlock = "*MODEL_SPACE";

bool IsPaper(const RawEntity& e) {
  if (!e.layout.empty()) return !SameName(e.layout, "MODEL");
  return e.g67 != 0;
}

DrawingTexts::Whereabouts WhereaboutsOf(const RawEntity& e) {
  return {IsPaper(e), e.layout, e.owner, e.line};
}

// What a dimension shows when its block is missing: its own text, with "<>"
// standing for the measurement.
std::string DimensionText(const std::string& text, double measurement, char separator) {
  const std::string value = FormatReal(measurement, separator);
  if (text.empty()) return value;
  std::string shown = text;
  const std::size_t slot = shown.find("<>");
  if (slot != std::string::npos) shown.replace(slot, 2, value);
  return shown;
}

}  // namespace

DrawingTexts::DrawingTexts(const TextChoice& choice, char separator, WarningLog& warnings,
                           Emit emit)
    : choice_(choice),
      separator_(separator),
      warnings_(warnings),
      emit_(std::move(emit)),
      expander_(
          store_, warnings,
          [this](const TextRecord& record) {
            if (!choice_.types.empty() && std::find(choice_.types.begin(), choice_.types.end(),
                                                    record.type) == choice_.types.end())
              return;
            emit_(record);
          },
          choice.blocks, choice.dimensions, choice.limits) {}

void DrawingTexts::Header(const DrawingHeader& header) {
  if (choice_.inputCodePage == 0 && !header.codePage.empty() &&
      text::CodePageFromDrawingName(header.codePage) == 0) {
    warnings_.Add(FullWarning::Kind::kUnknownCodePage, header.codePage, header.codePageLine);
  }
  decoder_ = std::make_unique<text::TextDecoder>(
      text::ChooseDecoding(choice_.inputCodePage, header.version, header.codePage),
      choice_.replace);
}

void DrawingTexts::NoteFallback(bool used, uint64_t line) {
  if (!used) return;
  warnings_.Add(FullWarning::Kind::kFallbackCodePage,
                std::to_string(decoder_->Decoding().fallbackCodePage), line);
}

std::string DrawingTexts::Decoded(std::string_view bytes, uint64_t line) {
  std::string out;
  bool fallback = false;
  const bool defined = DecodeDrawingText(bytes, *decoder_, out, fallback);
  NoteFallback(fallback, line);
  if (!defined) {
    // A name is never worth failing a drawing for.
    out.clear();
    text::AppendAsUtf8(bytes, decoder_->Decoding().codePage, true, out);
  }
  if (out.find('\\') == std::string::npos) return out;
  // Names carry \U+ escapes like texts do (R2000 writers put them in block names).
  std::string shown;
  for (std::size_t i = 0; i < out.size();) {
    const std::size_t length = out[i] == '\\' ? text::AppendUnicodeEscape(out, i, shown) : 0;
    if (length == 0) shown += out[i];
    i += length == 0 ? 1 : length;
  }
  return shown;
}

void DrawingTexts::BlockRecord(std::string_view handle, std::string_view name, uint64_t line) {
  recordNames_[text::AsciiUpperCase(handle)] = Decoded(name, line);
}

void DrawingTexts::Layout(std::string_view blockRecord, std::string_view name, uint64_t line) {
  layoutNames_[text::AsciiUpperCase(blockRecord)] = Decoded(name, line);
}

void DrawingTexts::BeginBlock(const RawEntity& block) {
  FlushReference();
  BlockDefinition definition;
  definition.name = Decoded(block.name, block.line);
  definition.recordHandle = text::AsciiUpperCase(block.owner);
  definition.basePoint = block.point;
  definition.line = block.line;
  store_.Add(std::move(definition));
  inBlock_ = true;
}

void DrawingTexts::EndBlock() {
  FlushReference();
  inBlock_ = false;
}

bool DrawingTexts::BuildText(const RawEntity& e, BlockText& text) {
  bool fallback = false;
  const TextOutcome outcome = BuildTextRecord(e, *decoder_, text.record, text.frame, fallback);
  NoteFallback(fallback, e.textLine);
  if (outcome == TextOutcome::kUndefined) {
    ConversionFailure failure;
    failure.kind = FailureKind::kUndefinedBytes;
    failure.detail = std::to_string(decoder_->Decoding().codePage);
    failure.line = e.textLine;
    throw failure;
  }
  if (outcome != TextOutcome::kText) return false;
  text.record.type = text::AsciiUpperCase(e.type);
  // Layers and styles repeat from text to text: decoded once for a run.
  if (e.layer != lastLayer_.first) lastLayer_ = {e.layer, Decoded(e.layer, e.line)};
  if (e.style != lastStyle_.first) lastStyle_ = {e.style, Decoded(e.style, e.line)};
  text.record.layer = lastLayer_.second;
  text.record.style = lastStyle_.second;
  return true;
}

BlockReference DrawingTexts::ReferenceOf(const RawEntity& e) {
  BlockReference reference;
  reference.name = Decoded(e.name, e.line);
  reference.key = text::AsciiUpperCase(reference.name);
  reference.line = e.line;
  reference.extrusion = e.extrusion;
  if (e.kind == EntityKind::kDimension) {
    reference.dimension = true;
    // The dimension's own text, at its text's midpoint, for when its block is missing.
    BlockText& fallback = reference.fallback;
    bool usedFallback = false;
    std::string text;
    const bool defined = DecodeDrawingText(e.text, *decoder_, text, usedFallback);
    NoteFallback(usedFallback, e.textLine);
    if (!defined) text = Decoded(e.text, e.textLine);
    if (text != " ") {  // a single space hides the text
      fallback.record.text = MTextToPlain(DimensionText(text, e.g42, separator_));
      const Ocs ocs = OcsFromExtrusion(e.extrusion);
      fallback.record.point = fallback.record.align = OcsToWorld(ocs, e.second);
      fallback.record.type = "DIMENSION";
      fallback.record.layer = Decoded(e.layer, e.line);
      fallback.record.style = Decoded(e.style, e.line);
      fallback.record.handle = e.handle;
      fallback.record.line = e.line;
      fallback.frame.extrusion = e.extrusion;
      reference.hasFallback = !fallback.record.text.empty();
    }
    return reference;
  }
  reference.insertionPoint = e.point;
  reference.scale = Vec3{e.g41, e.g42, e.g43};
  reference.rotation = e.g50;
  reference.columns = e.g70;
  reference.rows = e.g71;
  reference.columnSpacing = e.g44;
  reference.rowSpacing = e.g45;
  return reference;
}

void DrawingTexts::Entity(const RawEntity& e) {
  if (e.kind == EntityKind::kAttrib) {
    BlockText text;
    if (referencePending_ && BuildText(e, text)) pending_.attributes.push_back(std::move(text));
    return;
  }
  FlushReference();
  switch (e.kind) {
    case EntityKind::kText:
    case EntityKind::kMtext:
    case EntityKind::kMultileader:
      if (!inBlock_ && !IsPaper(e)) {
        // The common case streams through one reused record.
        if (BuildText(e, top_)) expander_.EmitTopInPlace(top_, modelSpace_);
      } else {
        BlockText text;
        if (BuildText(e, text)) Place(std::move(text), WhereaboutsOf(e));
      }
      break;
    case EntityKind::kInsert:
      // Its ATTRIBs follow: the reference is complete at the next other entity.
      pending_ = ReferenceOf(e);
      pendingLayout_ = e.layout;
      pendingOwner_ = e.owner;
      pendingPaper_ = IsPaper(e);
      referencePending_ = true;
      break;
    case EntityKind::kDimension: Place(ReferenceOf(e), WhereaboutsOf(e)); break;
    default: break;  // ATTDEFs are templates, not texts
  }
}

void DrawingTexts::FlushReference() {
  if (!referencePending_) return;
  referencePending_ = false;
  const Whereabouts where{pendingPaper_, pendingLayout_, pendingOwner_, pending_.line};
  Place(std::move(pending_), where);
}

void DrawingTexts::Place(std::variant<BlockText, BlockReference> item, Whereabouts where) {
  if (inBlock_) {
    if (store_.Size() != 0) store_.Last().items.push_back(std::move(item));
    return;
  }
  if (!where.paper) {
    WriteTop(item, modelSpace_);
  } else if (!where.layout.empty()) {
    WriteTop(item, Decoded(where.layout, where.line));
  } else {
    held_.push_back({text::AsciiUpperCase(where.owner), std::move(item)});  // named at the end
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

std::string DrawingTexts::LayoutOfRecord(const std::string& recordHandle,
                                         const std::string& fallback) const {
  const auto layout = layoutNames_.find(recordHandle);
  if (layout != layoutNames_.end() && !layout->second.empty()) return layout->second;
  const auto record = recordNames_.find(recordHandle);
  if (record != recordNames_.end() && !record->second.empty()) return record->second;
  return fallback;
}

void DrawingTexts::Finish() {
  FlushReference();
  inBlock_ = false;
  for (const Held& held : held_) WriteTop(held.item, LayoutOfRecord(held.owner, "*Paper_Space"));
  held_.clear();
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
}

}  // namespace toridasu::full
