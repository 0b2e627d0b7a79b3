// The reading of a Jw_cad drawing as a feeder of the drawing model: its
// layers with what they hide, its texts and dimension values in real-size
// coordinates, its block definitions and the references that place them.
//
// Jw_cad stores points on paper, in millimetres of the sheet; what it reads
// out to its user is the real size, the paper's point times the denominator
// of the scale of the layer group the object stands on. So a text at the top
// is placed at its point times its group's scale, with its height scaled
// alike, and a block reference at the top places its definition (drawn on
// paper from the definition's origin) at its point times its group's scale,
// its own scales multiplied by that scale: what a definition holds, and what
// it references in turn, takes the scale of the reference at the top.
//
// The definitions come after everything at the top of the drawing and name
// each other by number. Texts at the top stream through; references at the
// top, small and fixed in size, wait for the definitions, which the model
// keeps anyway.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "io/byte_source.h"
#include "jww/archive_reader.h"
#include "jww/drawing_header.h"
#include "jww/drawing_objects.h"
#include "jww/drawing_strings.h"
#include "jww/object_tags.h"
#include "model/drawing_sink.h"
#include "model/warnings.h"

namespace toridasu::jww {

struct FeedChoice {
  StringChoice strings;
  bool dimensions = true;  // dimension values too
};

class DrawingFeeder {
 public:
  DrawingFeeder(ByteSource& source, const FeedChoice& choice, model::WarningLog& warnings,
                model::DrawingSink& sink, std::atomic<uint64_t>* progress = nullptr);

  // Reads the whole drawing into the sink and finishes it. A drawing cut
  // short gives what it holds, with one warning at the offset where it ends.
  // Damage raises its ConversionFailure (kDamaged) at its offset; so do texts
  // that cannot be given (see TextOf).
  void Run();
  // Where the reading stands: the offset of the next byte.
  uint64_t Offset() const { return reader_.Offset(); }

 private:
  // A reference at the top, kept small until the definitions are read.
  struct TopReference {
    double x, y, scaleX, scaleY, rotationRadians;
    uint32_t number;
    uint16_t layer, group;
    uint64_t offset;
  };
  // A definition as read, each of its references' block numbers beside it.
  struct Definition {
    std::string name;
    uint64_t line = 0;
    // Its texts and references in order, held until every definition is read
    // and the references' names are known.
    std::vector<std::variant<model::BlockText, model::BlockReference>> items;
    uint32_t number;
    std::vector<uint32_t> referenced;  // in the order of the references among its items
  };

  void ReadLayers();
  void ReadTopObjects();
  void ReadDefinitions();
  void ReadDefinition();
  // Reads a text (or a dimension's value) of class `objectClass` into
  // text_, on paper; false when it shows nothing (a code, an empty string,
  // a dimension value left out).
  bool ReadText(ObjectClass objectClass, uint64_t offset);
  // What stands on a layer: its name, and the scale of its group (1 for a
  // group the drawing does not have).
  const std::string& LayerOf(const ObjectBase& base);
  double ScaleOf(const ObjectBase& base) const;
  // Names the definitions, then gives them, the references at the top and
  // the end to the sink.
  void FeedDefinitionsAndReferences();

  ArchiveReader reader_;
  ObjectReader objects_;
  ObjectTable tags_;
  const FeedChoice& choice_;
  model::WarningLog& warnings_;
  model::DrawingSink& sink_;
  DrawingHeader header_;
  std::array<std::array<std::string, kLayersPerGroup>, kLayerGroups> layerNames_;
  std::string otherLayer_;        // the name of a layer outside the 16 groups
  TextObject object_;             // the text being read, reused
  ObjectBase textBase_;           // what it stands on: its own, or its dimension's
  model::BlockText text_;         // the text being handed on, reused
  std::string fontBytes_, font_;  // the last font's name as stored, and decoded
  bool fontWide_ = false;
  std::vector<TopReference> topReferences_;
  std::vector<Definition> definitions_;
  uint64_t controls_ = 0;  // control characters written as U+FFFD
  uint64_t firstControlOffset_ = 0;
};

}  // namespace toridasu::jww
