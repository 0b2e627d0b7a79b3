// The texts of a drawing as the full reading finds them: those of model space
// and of every paper-space layout, those shown through block references and
// dimensions, each decoded and placed in world coordinates, and handed to
// `emit` as they are found. Only block definitions are kept; records of
// ENTITIES stream through, except paper-space ones that do not name their
// layout, which wait for the layout names at the end of the drawing.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "full/block_expansion.h"
#include "full/block_store.h"
#include "full/drawing_reader.h"
#include "full/full_warnings.h"
#include "text/drawing_decoding.h"

namespace toridasu::full {

struct TextChoice {
  int inputCodePage = 0;  // 0: as the drawing says
  bool replace = false;   // undefined bytes become U+FFFD instead of failing
  bool blocks = true;     // expand block references
  bool dimensions = true;
  std::vector<std::string> types;  // record types to keep (capitals); empty: all
  ExpansionLimits limits;
};

class DrawingTexts : public DrawingVisitor {
 public:
  using Emit = std::function<void(const TextRecord&)>;
  // `emit` may raise; undefined bytes raise a ConversionFailure (kUndefinedBytes).
  // `separator`: the decimal separator of a dimension's measurement.
  DrawingTexts(const TextChoice& choice, char separator, WarningLog& warnings, Emit emit);

  void Header(const DrawingHeader& header) override;
  void BlockRecord(std::string_view handle, std::string_view name, uint64_t line) override;
  void BeginBlock(const RawEntity& block) override;
  void EndBlock() override;
  void Entity(const RawEntity& entity) override;
  void Layout(std::string_view blockRecord, std::string_view name, uint64_t line) override;
  // Where a text or reference at the top of a space stands.
  struct Whereabouts {
    bool paper = false;
    std::string_view layout;  // group 410, empty when not given
    std::string_view owner;   // group 330: the block record of its space
    uint64_t line = 0;        // the entity's line
  };

  // Writes what waited for the end: paper-space texts without a layout name,
  // and the layouts held as blocks.
  void Finish();

 private:
  struct Held {
    std::string owner;
    std::variant<BlockText, BlockReference> item;
  };
  // A text or reference found: kept in the open block, else written (or
  // held when its space is not known yet).
  void Place(std::variant<BlockText, BlockReference> item, Whereabouts where);
  void FlushReference();
  void WriteTop(const std::variant<BlockText, BlockReference>& item, const std::string& space);
  bool BuildText(const RawEntity& entity, BlockText& text);
  BlockReference ReferenceOf(const RawEntity& entity);
  // A name's bytes decoded, never failing; `line`: where the name stands.
  std::string Decoded(std::string_view bytes, uint64_t line);
  // The drawing's one warning that texts were read in the fallback code page,
  // given when `used` (the decoding of the text at `line` needed it first).
  void NoteFallback(bool used, uint64_t line);
  std::string LayoutOfRecord(const std::string& recordHandle, const std::string& fallback) const;

  const std::string modelSpace_ = "Model";
  const TextChoice& choice_;
  char separator_;
  WarningLog& warnings_;
  Emit emit_;
  std::unique_ptr<text::TextDecoder> decoder_;
  BlockStore store_;
  BlockExpander expander_;
  bool inBlock_ = false;
  bool referencePending_ = false;
  BlockReference pending_;
  std::string pendingLayout_;  // the pending reference's layout (410)
  std::string pendingOwner_;
  bool pendingPaper_ = false;
  std::vector<Held> held_;
  BlockText top_;  // the text being written at the top of model space
  std::pair<std::string, std::string> lastLayer_, lastStyle_;  // bytes, decoded
  std::unordered_map<std::string, std::string> recordNames_;   // handle -> block name
  std::unordered_map<std::string, std::string> layoutNames_;   // block record -> layout
};

}  // namespace toridasu::full
