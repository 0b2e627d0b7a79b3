#include "jww/drawing_objects.h"

namespace toridasu::jww {
namespace {

constexpr uint64_t kDword = 4, kDouble = 8;
// A point of this style carries a marker: its code, angle and scale.
constexpr uint8_t kMarkerPoint = 100;
// A solid of this colour carries its own RGB value.
constexpr uint16_t kSolidOwnColour = 10;
// The version from which every object stores its line width, and from
// which a dimension stores its auxiliary lines and points.
constexpr uint32_t kWidthVersion = 351;
constexpr uint32_t kAuxiliaryVersion = 420;

}  // namespace

void ObjectReader::Base(ObjectBase& base) {
  reader_.Dword();  // the curve it belongs to
  base.penStyle = reader_.Byte();
  base.penColor = reader_.Word();
  if (version_ >= kWidthVersion) reader_.Word();  // the width; of a text, its dimension flags
  base.layer = reader_.Word();
  base.layerGroup = reader_.Word();
  base.flags = reader_.Word();
}

void ObjectReader::Text(TextObject& text) {
  Base(text.base);
  text.startX = reader_.Double();
  text.startY = reader_.Double();
  text.endX = reader_.Double();
  text.endY = reader_.Double();
  reader_.Dword();  // the text kind, with 10000 for italic and 20000 for bold
  text.width = reader_.Double();
  text.height = reader_.Double();
  text.spacing = reader_.Double();
  text.angleDegrees = reader_.Double();
  reader_.String(text.font);
  reader_.String(text.text);
}

void ObjectReader::Dimension(ObjectBase& base, TextObject& value) {
  Base(base);
  SkipLine();  // the dimension line
  Text(value);
  if (version_ < kAuxiliaryVersion) return;
  reader_.Word();  // the SXF mode
  SkipLine();
  SkipLine();
  for (int i = 0; i < 4; ++i) SkipPoint();
}

void ObjectReader::Block(BlockObject& block) {
  Base(block.base);
  block.x = reader_.Double();
  block.y = reader_.Double();
  block.scaleX = reader_.Double();
  block.scaleY = reader_.Double();
  block.rotationRadians = reader_.Double();
  block.number = reader_.Dword();
}

void ObjectReader::Definition(DefinitionHead& head) {
  Base(head.base);
  head.number = reader_.Dword();
  reader_.Dword();  // whether it is referenced
  reader_.Dword();  // when it was made
  reader_.String(head.name);
}

void ObjectReader::SkipLine() {
  // The shared fields, then the two ends: most of a drawing, passed over at once.
  reader_.Skip(kDword + 1 + 2 + (version_ >= kWidthVersion ? 2 : 0) + 3 * 2 + 4 * kDouble);
}

void ObjectReader::SkipPoint() {
  ObjectBase base;
  Base(base);
  reader_.Skip(2 * kDouble + kDword);  // where, and whether it is a temporary point
  if (base.penStyle == kMarkerPoint) reader_.Skip(kDword + 2 * kDouble);
}

void ObjectReader::Skip(ObjectClass objectClass) {
  ObjectBase base;
  switch (objectClass) {
    case ObjectClass::kLine: SkipLine(); return;
    case ObjectClass::kPoint: SkipPoint(); return;
    case ObjectClass::kArc:
      Base(base);
      // Centre, radius, start and arc angles, tilt, flatness; whether it is whole.
      reader_.Skip(7 * kDouble + kDword);
      return;
    case ObjectClass::kSolid:
      Base(base);
      reader_.Skip(8 * kDouble);
      if (base.penColor == kSolidOwnColour) reader_.Dword();
      return;
    case ObjectClass::kText:
    case ObjectClass::kDimension:
    case ObjectClass::kBlock:
    case ObjectClass::kList: break;  // read in full by their own calls
  }
}

}  // namespace toridasu::jww
