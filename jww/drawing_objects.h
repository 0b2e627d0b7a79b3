// The bodies of a Jw_cad drawing's objects, read after their tags: the
// fields every object shares, and in full those of the objects that carry
// or place texts (texts, dimensions, block references, block definitions).
// The others (lines, arcs, points, solids) are passed over by their sizes.
#pragma once

#include <cstdint>

#include "jww/archive_reader.h"
#include "jww/object_tags.h"

namespace toridasu::jww {

// What every object begins with.
struct ObjectBase {
  uint8_t penStyle = 0;  // of a text: its base point's position
  uint16_t penColor = 0;
  uint16_t layer = 0, layerGroup = 0;
  uint16_t flags = 0;  // the attribute bits: of a text, what kind of value it is
};

struct TextObject {
  ObjectBase base;
  double startX = 0, startY = 0, endX = 0, endY = 0;  // the base line, on paper
  double width = 0, height = 0, spacing = 0;          // of a character, on paper
  double angleDegrees = 0;
  ArchiveString font, text;
};

struct BlockObject {
  ObjectBase base;
  double x = 0, y = 0;  // where the definition's origin goes, on paper
  double scaleX = 1, scaleY = 1;
  double rotationRadians = 0;
  uint32_t number = 0;  // of the definition
};

// A block definition up to its own list of objects, which follows.
struct DefinitionHead {
  ObjectBase base;
  uint32_t number = 0;
  ArchiveString name;
};

class ObjectReader {
 public:
  explicit ObjectReader(ArchiveReader& reader) : reader_(reader) {}
  // The drawing's version, which decides what every object stores.
  void SetVersion(uint32_t version) { version_ = version; }

  void Text(TextObject& text);
  // A dimension: its own fields in `dimension.base`, its value as a text.
  void Dimension(ObjectBase& base, TextObject& value);
  void Block(BlockObject& block);
  void Definition(DefinitionHead& head);
  // Passes over an object of a class that holds no text.
  void Skip(ObjectClass objectClass);

 private:
  void Base(ObjectBase& base);
  void SkipLine();
  void SkipPoint();

  ArchiveReader& reader_;
  uint32_t version_ = 0;
};

}  // namespace toridasu::jww
