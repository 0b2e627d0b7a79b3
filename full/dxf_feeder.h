// The DXF reading as a feeder of the drawing model: the structured reader's
// entities decoded (texts, names, the fallback code page and its warning),
// built into placed texts and references (an INSERT with the ATTRIBs that
// follow it, a DIMENSION with its own text for when its block is missing, a
// table with its cells for when its block is missing, a leader's block with
// the values of its attributes), and handed to a DrawingSink in the
// drawing's order.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>

#include "engine/dxf_source.h"
#include "full/drawing_reader.h"
#include "model/drawing_sink.h"
#include "model/drawing_texts.h"
#include "model/warnings.h"
#include "text/drawing_decoding.h"

namespace toridasu::full {

// The full reading's choices: how the drawing's bytes are decoded, and which
// texts the model gives.
struct TextChoice : model::TextSelection {
  int inputCodePage = 0;  // 0: as the drawing says
  bool replace = false;   // undefined bytes become U+FFFD instead of failing
};

class DxfFeeder : public DrawingVisitor {
 public:
  // Undefined bytes of a text raise a ConversionFailure (kUndefinedBytes). `separator`:
  // the decimal separator of a dimension's measurement.
  DxfFeeder(const TextChoice& choice, char separator, model::WarningLog& warnings,
            model::DrawingSink& sink);

  void Header(const DrawingHeader& header) override;
  void BlockRecord(std::string_view handle, std::string_view name, uint64_t line) override;
  void DimensionStyle(std::string_view name, int32_t decimals) override;
  void Layer(std::string_view name, bool off, bool frozen, uint64_t line) override;
  void BeginBlock(const RawEntity& block) override;
  void EndBlock() override;
  void Entity(const RawEntity& entity) override;
  void Layout(std::string_view blockRecord, std::string_view name, uint64_t line) override;
  void NestedSection(uint64_t line) override;
  // The drawing has ended: the last reference is handed on, then the sink finishes.
  void Finish();

 private:
  // The decimal places of a dimension's measurement, angles' too (DIMDEC): its
  // own, its style's, the drawing's, else 4.
  int32_t DecimalsOf(const RawEntity& dimension) const;
  // Hands on the reference that waited for its ATTRIBs.
  void FlushReference();
  bool BuildText(const RawEntity& entity, model::BlockText& text);
  // A text the entity holds beside its own (`bytes` at `line`): decoded, with
  // the entity's type, layer and handle; false when it shows nothing.
  bool BuildOwnText(const RawEntity& entity, std::string_view bytes, uint64_t line, bool formatted,
                    model::BlockText& text);
  [[noreturn]] void FailUndefined(uint64_t line) const;
  // The entity's layer, decoded (once for a run of entities on one layer).
  const std::string& LayerOf(const RawEntity& entity);
  model::BlockReference ReferenceOf(const RawEntity& entity);
  model::BlockReference TableOf(const RawEntity& table);
  model::BlockReference LeaderContentOf(const RawEntity& leader);
  // An ATTDEF of the open block, kept for the leaders whose block it is.
  void KeepDefinition(const RawEntity& attdef);
  // Where an item at the top of a space stands; the layout's name is decoded
  // only where the model looks at it.
  model::Whereabouts WhereaboutsOf(bool paper, std::string_view layout, std::string_view owner,
                                   uint64_t line);
  // A name's bytes decoded, never failing; `line`: where the name stands.
  std::string Decoded(std::string_view bytes, uint64_t line);
  // The drawing's warnings about its decoding, after the text at `line` was
  // decoded: that texts were read in the fallback code page (`fallback`: this
  // text needed it first), and that the code page standing in for an unknown
  // one was used.
  void NoteDecoding(bool fallback, uint64_t line);
  // Control characters in a decoded text or name become U+FFFD, counted for
  // the drawing's one warning.
  void ReplaceControls(std::string& text, uint64_t line);

  const TextChoice& choice_;
  char separator_;
  model::WarningLog& warnings_;
  model::DrawingSink& sink_;
  std::unique_ptr<text::TextDecoder> decoder_;
  bool inBlock_ = false;
  std::string blockName_;    // the open block's, decoded
  model::Point3 blockBase_;  // the open block's base point
  // The ATTDEFs of blocks by handle (capitals folded): where each stands,
  // measured from its block's base point, and its block.
  struct AttributeDefinition {
    model::BlockText placed;
    std::string block;
  };
  std::unordered_map<std::string, AttributeDefinition> definitions_;
  bool referencePending_ = false;
  model::BlockReference pending_;
  std::string pendingLayout_;  // the pending reference's layout (410), as read
  std::string pendingOwner_;
  bool pendingPaper_ = false;
  model::BlockText text_;   // the text being handed on, reused
  std::string layoutName_;  // the decoded layout of the item being handed on
  std::pair<std::string, std::string> lastLayer_, lastStyle_;  // bytes, decoded
  int32_t drawingDecimals_ = -1;                               // $DIMDEC
  std::unordered_map<std::string, int32_t> styleDecimals_;     // by upper-case name
  std::string unknownCodePage_;  // the header's code page when not known
  uint64_t unknownCodePageLine_ = 0;
  uint64_t controls_ = 0;  // control characters replaced
  uint64_t firstControlLine_ = 0;
};

// Reads the drawing of `source` into `sink` and finishes it.
void FeedDrawing(DxfSource& source, const TextChoice& choice, char separator,
                 model::WarningLog& warnings, model::DrawingSink& sink);

}  // namespace toridasu::full
