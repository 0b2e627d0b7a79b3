// The texts of a drawing as the model gives them: those of model space and
// of every paper-space layout, those shown through block references and
// dimensions, each placed in world coordinates and handed to `emit` as it is
// found. Only block definitions are kept; texts and references at the top of
// a space stream through, except paper-space ones that do not name their
// layout, which wait for the names of the spaces at the end of the drawing.
#pragma once

#include <atomic>
#include <deque>
#include <functional>
#include <string>
#include <unordered_map>
#include <variant>
#include <vector>

#include "model/block_expansion.h"
#include "model/block_store.h"
#include "model/drawing_sink.h"
#include "model/layer_patterns.h"
#include "model/layer_table.h"
#include "model/warnings.h"

namespace toridasu::model {

// Which texts the model gives.
struct TextSelection {
  bool blocks = true;  // expand block references
  bool dimensions = true;
  std::vector<std::string> types;  // record types to keep (capitals); empty: all
  LayerPatterns layers;            // the layers to keep; empty: all
  bool hidden = false;             // also the texts that the drawing hides
  ExpansionLimits limits;
  // Once set, the reading gives up (ExpansionStopped); may be null.
  const std::atomic<bool>* stop = nullptr;
};

class DrawingTexts : public DrawingSink {
 public:
  using Emit = std::function<void(const TextRecord&)>;
  // `emit` may raise; it sees only the records of the selected types and
  // layers, and the hidden ones only when they are selected too.
  DrawingTexts(const TextSelection& selection, WarningLog& warnings, Emit emit);

  void BeginBlock(BlockDefinition definition) override;
  void EndBlock() override;
  void Text(BlockText& text, const Whereabouts& where) override;
  void Reference(BlockReference reference, const Whereabouts& where) override;
  void BlockRecord(std::string_view handle, std::string name) override;
  void Layout(std::string_view blockRecord, std::string name) override;
  void Layer(std::string name, LayerState state) override;
  // Writes what waited for the end: paper-space texts without a layout name,
  // and the layouts held as blocks.
  void Finish() override;

  // The texts left out because the drawing hides them, of the selected
  // types and layers.
  uint64_t Hidden() const { return hidden_; }
  const LayerTable& Layers() const { return layers_; }

 private:
  struct Held {
    std::string owner;
    BlockItem item;
  };
  struct Waiting {
    std::string space;
    BlockReference reference;
  };
  // A text or reference found: kept in the open block, else written (or
  // held when its space is not known yet).
  void Place(std::variant<BlockText, BlockReference> item, const Whereabouts& where);
  void WriteTop(const std::variant<BlockText, BlockReference>& item, const std::string& space);
  void WriteTop(const BlockItem& item, const std::string& space);
  // The item in the store's compact form, for keeping.
  BlockItem Kept(std::variant<BlockText, BlockReference>&& item);
  std::string LayoutOfRecord(const std::string& recordHandle, const std::string& fallback) const;
  // Whether the texts on `layer` are among the layers selected.
  bool LayerKept(const std::string& layer);

  const std::string modelSpace_ = "Model";
  const TextSelection& selection_;
  WarningLog& warnings_;
  Emit emit_;
  BlockStore store_;
  LayerTable layers_;
  BlockExpander expander_;
  uint64_t hidden_ = 0;
  std::string lastLayer_;  // the layer last asked about, and the answer
  bool layerAnswered_ = false, lastLayerKept_ = false;
  bool inBlock_ = false;
  std::deque<Held> held_;
  std::vector<Waiting> waiting_;  // references to blocks not defined yet
  std::unordered_map<std::string, std::string> recordNames_;  // handle -> block name
  std::unordered_map<std::string, std::string> layoutNames_;  // block record -> layout
  uint64_t notFinite_ = 0;  // records left out: a number past the doubles' range
  uint64_t firstNotFiniteLine_ = 0;
};

}  // namespace toridasu::model
