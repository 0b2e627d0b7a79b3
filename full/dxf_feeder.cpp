#include "full/dxf_feeder.h"

#include <optional>

#include "engine/conversion_failure.h"
#include "full/dimension_measure.h"
#include "full/mtext_plain.h"
#include "full/text_building.h"
#include "text/ascii_case.h"
#include "text/encoding_names.h"
#include "text/text_codes.h"

namespace toridasu::full {
namespace {

using model::BlockReference;
using model::BlockText;
using model::Warning;

// Where an entity stands: its layout's name (410) says, else its paper-space
// flag (67).
bool IsPaper(const RawEntity& e) {
  if (!e.layout.empty()) return !SameName(e.layout, "MODEL");
  return e.paperSpace;
}

// What a dimension shows when its block is missing: its own text, with "<>"
// standing for the measurement (`value`, empty when nothing gives one).
std::string DimensionText(const std::string& text, const std::string& value) {
  if (text.empty()) return value;
  std::string shown = text;
  const std::size_t slot = shown.find("<>");
  if (slot != std::string::npos) shown.replace(slot, 2, value);
  return shown;
}

}  // namespace

DxfFeeder::DxfFeeder(const TextChoice& choice, char separator, model::WarningLog& warnings,
                     model::DrawingSink& sink)
    : choice_(choice), separator_(separator), warnings_(warnings), sink_(sink) {}

void DxfFeeder::Header(const DrawingHeader& header) {
  drawingDecimals_ = header.dimensionDecimals;
  decoder_ = std::make_unique<text::TextDecoder>(
      text::ChooseDecoding(choice_.inputCodePage, header.version, header.codePage),
      choice_.replace);
  // Warned of only once code page 932 has read something in its place.
  if (decoder_->Decoding().standIn) {
    unknownCodePage_ = header.codePage;
    unknownCodePageLine_ = header.codePageLine;
  }
}

void DxfFeeder::DimensionStyle(std::string_view name, int32_t decimals) {
  if (decimals >= 0) styleDecimals_[text::AsciiUpperCase(name)] = decimals;
}

int32_t DxfFeeder::DecimalsOf(const RawEntity& e) const {
  constexpr int32_t kDefaultDecimals = 4;
  if (e.decimals >= 0) return e.decimals;
  if (!e.dimensionStyle.empty()) {
    const auto style = styleDecimals_.find(text::AsciiUpperCase(e.dimensionStyle));
    if (style != styleDecimals_.end()) return style->second;
  }
  return drawingDecimals_ >= 0 ? drawingDecimals_ : kDefaultDecimals;
}

void DxfFeeder::NoteDecoding(bool fallback, uint64_t line) {
  if (fallback) {
    warnings_.Add(Warning::Kind::kFallbackCodePage,
                  std::to_string(decoder_->Decoding().fallbackCodePage), line);
  }
  if (!unknownCodePage_.empty() && decoder_->UsedStandIn()) {
    warnings_.Add(Warning::Kind::kUnknownCodePage, std::move(unknownCodePage_),
                  unknownCodePageLine_);
    unknownCodePage_.clear();
  }
}

void DxfFeeder::ReplaceControls(std::string& text, uint64_t line) {
  const std::size_t replaced = text::ReplaceControlCharacters(text);
  if (replaced == 0) return;
  if (controls_ == 0) firstControlLine_ = line;
  controls_ += replaced;
}

std::string DxfFeeder::Decoded(std::string_view bytes, uint64_t line) {
  std::string out;
  bool fallback = false;
  const bool defined = DecodeDrawingText(bytes, *decoder_, out, fallback);
  NoteDecoding(fallback, line);
  if (!defined) {
    // A name is never worth failing a drawing for.
    out.clear();
    text::AppendAsUtf8(bytes, decoder_->Decoding().codePage, true, out);
  }
  if (out.find('\\') == std::string::npos) {
    ReplaceControls(out, line);
    return out;
  }
  // Names carry \U+ escapes like texts do (R2000 writers put them in block names).
  std::string shown;
  for (std::size_t i = 0; i < out.size();) {
    const std::size_t length = out[i] == '\\' ? text::AppendUnicodeEscape(out, i, shown) : 0;
    if (length == 0) shown += out[i];
    i += length == 0 ? 1 : length;
  }
  ReplaceControls(shown, line);
  return shown;
}

void DxfFeeder::BlockRecord(std::string_view handle, std::string_view name, uint64_t line) {
  sink_.BlockRecord(handle, Decoded(name, line));
}

void DxfFeeder::Layer(std::string_view name, bool off, bool frozen, uint64_t line) {
  sink_.Layer(Decoded(name, line), {off, frozen});
}

void DxfFeeder::Layout(std::string_view blockRecord, std::string_view name, uint64_t line) {
  sink_.Layout(blockRecord, Decoded(name, line));
}

void DxfFeeder::BeginBlock(const RawEntity& block) {
  FlushReference();
  model::BlockDefinition definition;
  definition.name = Decoded(block.name, block.line);
  definition.recordHandle = block.owner;
  definition.basePoint = block.point;
  blockName_ = definition.name;
  blockBase_ = block.point;
  definition.line = block.line;
  sink_.BeginBlock(std::move(definition));
  inBlock_ = true;
}

void DxfFeeder::EndBlock() {
  FlushReference();
  inBlock_ = false;
  sink_.EndBlock();
}

void DxfFeeder::FailUndefined(uint64_t line) const {
  ConversionFailure failure;
  failure.kind = FailureKind::kUndefinedBytes;
  // Every code page that was tried, so that the user can choose another.
  const text::DrawingDecoding& decoding = decoder_->Decoding();
  failure.detail = std::to_string(decoding.codePage);
  if (decoding.fallbackCodePage != 0)
    failure.detail += ", " + std::to_string(decoding.fallbackCodePage);
  failure.line = line;
  throw failure;
}

bool DxfFeeder::BuildText(const RawEntity& e, BlockText& text) {
  bool fallback = false;
  const TextOutcome outcome = BuildTextRecord(e, *decoder_, text.record, text.frame, fallback);
  NoteDecoding(fallback, e.textLine);
  if (outcome == TextOutcome::kUndefined) FailUndefined(e.textLine);
  if (outcome != TextOutcome::kText) return false;
  ReplaceControls(text.record.text, text.record.line);
  text.record.type = text::AsciiUpperCase(e.type);
  text.record.visible = !e.invisible;
  // Styles repeat from text to text, as layers do: decoded once for a run.
  if (e.style != lastStyle_.first) lastStyle_ = {e.style, Decoded(e.style, e.line)};
  text.record.layer = LayerOf(e);
  text.record.style = lastStyle_.second;
  return true;
}

bool DxfFeeder::BuildOwnText(const RawEntity& e, std::string_view bytes, uint64_t line,
                             bool formatted, BlockText& text) {
  bool fallback = false;
  const TextOutcome outcome =
      BuildPlainText(bytes, formatted, *decoder_, text.record.text, fallback);
  NoteDecoding(fallback, line);
  if (outcome == TextOutcome::kUndefined) FailUndefined(line);
  if (outcome != TextOutcome::kText) return false;
  ReplaceControls(text.record.text, line);
  text.record.type = text::AsciiUpperCase(e.type);
  text.record.layer = LayerOf(e);
  text.record.visible = !e.invisible;
  text.record.style.clear();
  text.record.handle = e.handle;
  text.record.line = line;
  text.record.point = text.record.align = model::Point3{};
  text.record.height = text.record.rotation = 0.0;
  text.frame = model::TextFrameInOcs{};
  return true;
}

const std::string& DxfFeeder::LayerOf(const RawEntity& e) {
  if (e.layer != lastLayer_.first) lastLayer_ = {e.layer, Decoded(e.layer, e.line)};
  return lastLayer_.second;
}

BlockReference DxfFeeder::ReferenceOf(const RawEntity& e) {
  BlockReference reference;
  reference.name = Decoded(e.name, e.line);
  reference.line = e.line;
  reference.layer = LayerOf(e);
  reference.invisible = e.invisible;
  reference.extrusion = e.extrusion;
  if (e.kind == EntityKind::kDimension) {
    reference.kind = model::ReferenceKind::kDimension;
    // The dimension's own text, at its text's midpoint, for when its block is missing.
    BlockText& fallback = reference.fallback;
    bool usedFallback = false;
    std::string text;
    const bool defined = DecodeDrawingText(e.text, *decoder_, text, usedFallback);
    NoteDecoding(usedFallback, e.textLine);
    if (!defined) text = Decoded(e.text, e.textLine);
    if (text != " ") {  // a single space hides the text
      const std::optional<Measurement> measurement = MeasurementOf(e);
      const std::string value =
          measurement ? FormatMeasurement(*measurement, DecimalsOf(e), separator_) : "";
      fallback.record.text = MTextToPlain(DimensionText(text, value));
      ReplaceControls(fallback.record.text, e.textLine);
      const model::Ocs ocs = model::OcsFromExtrusion(e.extrusion);
      fallback.record.point = fallback.record.align = model::OcsToWorld(ocs, e.second);
      fallback.record.type = "DIMENSION";
      fallback.record.layer = reference.layer;
      fallback.record.visible = !e.invisible;
      fallback.record.style = Decoded(e.style, e.line);
      fallback.record.handle = e.handle;
      fallback.record.line = e.line;
      fallback.frame.extrusion = e.extrusion;
      reference.hasFallback = !text::IsBlank(fallback.record.text);
    }
    return reference;
  }
  reference.insertionPoint = e.point;
  reference.scale = model::Vec3{e.xScale, e.yScale, e.zScale};
  reference.rotation = e.rotation;
  reference.columns = e.columnCount;
  reference.rows = e.rowCount;
  reference.columnSpacing = e.columnSpacing;
  reference.rowSpacing = e.rowSpacing;
  return reference;
}

BlockReference DxfFeeder::TableOf(const RawEntity& e) {
  BlockReference table;
  table.kind = model::ReferenceKind::kTable;
  table.name = Decoded(e.name, e.line);
  table.line = e.line;
  table.extrusion = e.extrusion;
  table.insertionPoint = e.point;
  // Its direction is a world one; the table turns about its own Z axis.
  const model::Ocs ocs = model::OcsFromExtrusion(e.extrusion);
  if (e.hasSecond) table.rotation = model::WorldAngleDegrees(model::WorldToOcs(ocs, e.second), 0.0);
  // Its cells, for when the drawing lacks the table's block: each at its
  // middle, since where a text sits in its cell is the table style's.
  const std::vector<model::Point3> middles = CellMiddles(e.table);
  for (std::size_t i = 0; i < e.table.cells.size(); ++i) {
    const TableCell& cell = e.table.cells[i];
    if (cell.Text().empty() || !BuildOwnText(e, cell.Text(), cell.TextLine(), true, text_))
      continue;
    text_.record.point = text_.record.align = middles[i];
    table.ownTexts.push_back(std::move(text_));
  }
  return table;
}

void DxfFeeder::KeepDefinition(const RawEntity& e) {
  if (e.handle.empty()) return;
  AttributeDefinition& definition = definitions_[text::AsciiUpperCase(e.handle)];
  model::TextRecord& record = definition.placed.record;
  PlaceText(e, record, definition.placed.frame);
  record.point = model::Subtract(record.point, blockBase_);
  record.align = model::Subtract(record.align, blockBase_);
  record.style = Decoded(e.style, e.line);
  definition.block = blockName_;
}

BlockReference DxfFeeder::LeaderContentOf(const RawEntity& e) {
  constexpr double kDegreesPerRadian = 180 / 3.14159265358979311600e+00;
  BlockReference content;
  content.kind = model::ReferenceKind::kLeaderContent;
  content.line = e.line;
  content.extrusion = e.contentNormal;
  // The context data places the block in world coordinates.
  content.insertionPoint =
      model::WorldToOcs(model::OcsFromExtrusion(e.contentNormal), e.contentPoint);
  content.scale = e.contentScale;
  content.rotation = e.contentRotation * kDegreesPerRadian;
  for (const RawEntity::LeaderAttribute& attribute : e.attributes) {
    if (!BuildOwnText(e, attribute.text, attribute.line, false, text_)) continue;
    const auto found = definitions_.find(text::AsciiUpperCase(attribute.definition));
    if (found != definitions_.end()) {
      // Where its ATTDEF stands in the block; without one, at the block's
      // base point, where the leader puts the block.
      const model::TextRecord& placed = found->second.placed.record;
      text_.record.point = placed.point;
      text_.record.align = placed.align;
      text_.record.height = placed.height;
      text_.record.rotation = placed.rotation;
      text_.record.style = placed.style;
      text_.frame = found->second.placed.frame;
      if (content.name.empty()) content.name = found->second.block;
    }
    content.ownTexts.push_back(std::move(text_));
  }
  return content;
}

model::Whereabouts DxfFeeder::WhereaboutsOf(bool paper, std::string_view layout,
                                            std::string_view owner, uint64_t line) {
  layoutName_.clear();
  if (paper && !inBlock_ && !layout.empty()) layoutName_ = Decoded(layout, line);
  return {paper, layoutName_, owner, line};
}

void DxfFeeder::Entity(const RawEntity& e) {
  if (e.kind == EntityKind::kAttrib) {
    if (referencePending_ && BuildText(e, text_)) pending_.attributes.push_back(std::move(text_));
    return;
  }
  FlushReference();
  switch (e.kind) {
    case EntityKind::kMultileader:
      if (BuildText(e, text_))
        sink_.Text(text_, WhereaboutsOf(IsPaper(e), e.layout, e.owner, e.line));
      // A leader whose content is a block shows the values of its attributes.
      if (!e.attributes.empty()) {
        BlockReference content = LeaderContentOf(e);
        if (!content.ownTexts.empty())
          sink_.Reference(std::move(content), WhereaboutsOf(IsPaper(e), e.layout, e.owner, e.line));
      }
      break;
    case EntityKind::kTable:
      sink_.Reference(TableOf(e), WhereaboutsOf(IsPaper(e), e.layout, e.owner, e.line));
      break;
    case EntityKind::kText:
    case EntityKind::kMtext:
    case EntityKind::kTolerance:
    case EntityKind::kArcText:
    case EntityKind::kRtext:
      if (BuildText(e, text_))
        sink_.Text(text_, WhereaboutsOf(IsPaper(e), e.layout, e.owner, e.line));
      break;
    case EntityKind::kInsert:
      // Its ATTRIBs follow: the reference is complete at the next other entity.
      pending_ = ReferenceOf(e);
      pendingLayout_ = e.layout;
      pendingOwner_ = e.owner;
      pendingPaper_ = IsPaper(e);
      referencePending_ = true;
      break;
    case EntityKind::kDimension: {
      BlockReference reference = ReferenceOf(e);
      const model::Whereabouts where = WhereaboutsOf(IsPaper(e), e.layout, e.owner, e.line);
      sink_.Reference(std::move(reference), where);
      break;
    }
    case EntityKind::kAttdef:
      // In a block an attribute definition is the template of its references'
      // ATTRIBs and of its leaders' values; standing alone it shows its tag.
      if (inBlock_) {
        KeepDefinition(e);
      } else if (BuildText(e, text_)) {
        sink_.Text(text_, WhereaboutsOf(IsPaper(e), e.layout, e.owner, e.line));
      }
      break;
    default: break;
  }
}

void DxfFeeder::FlushReference() {
  if (!referencePending_) return;
  referencePending_ = false;
  const model::Whereabouts where =
      WhereaboutsOf(pendingPaper_, pendingLayout_, pendingOwner_, pending_.line);
  sink_.Reference(std::move(pending_), where);
}

void DxfFeeder::NestedSection(uint64_t line) {
  warnings_.Add(Warning::Kind::kNestedSection, {}, line);
}

void DxfFeeder::Finish() {
  FlushReference();
  if (controls_ != 0) {
    warnings_.Add(Warning::Kind::kControlCharacters, std::to_string(controls_), firstControlLine_);
  }
  inBlock_ = false;
  sink_.Finish();
}

void FeedDrawing(DxfSource& source, const TextChoice& choice, char separator,
                 model::WarningLog& warnings, model::DrawingSink& sink) {
  DxfFeeder feeder(choice, separator, warnings, sink);
  const bool ended = ReadDrawing(source, feeder);
  feeder.Finish();
  if (!ended) warnings.Add(model::Warning::Kind::kCutDrawing, {}, source.LastLineNumber());
}

}  // namespace toridasu::full
