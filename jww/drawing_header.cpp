#include "jww/drawing_header.h"

#include <string>

namespace toridasu::jww {
namespace {

constexpr uint64_t kDword = 4, kDouble = 8;
// No version has come near this; a larger number is not a version.
constexpr uint32_t kLatestPlausibleVersion = 0xFFFF;

// The settings between the layer states and the layer names: 14 spare
// words, five of the dimensions, a spare one, the widest line; the printer's
// origin (2 doubles), scale, turn and the scale marks' mode, least spacing
// (a double), spacing and origin (2 + 2 doubles).
constexpr uint64_t kBeforeNames =
    (14 + 5 + 1 + 1) * kDword + 3 * kDouble + 2 * kDword + kDouble + 4 * kDouble;

// Everything after the names, up to the list of objects.
void SkipSettings(ArchiveReader& reader, uint32_t version) {
  // Sun shadows: level, latitude, hours, wall level; from 3.00 the sky
  // chart's level and radius; the unit of 2.5D.
  reader.Skip(3 * kDouble + kDword + (version >= 300 ? 2 * kDouble : 0) + kDword);
  // The view's scale and origin, the stored range's scale and origin.
  reader.Skip(6 * kDouble);
  // Zoom marks: 8 of scale, origin and layer group from 3.00, 4 without
  // the group before; then, from 3.00, five spare doubles and a spare word,
  // and the margin and mode of text backgrounds.
  reader.Skip(version >= 300 ? 8 * (3 * kDouble + kDword) : 4 * 3 * kDouble);
  if (version >= 300) reader.Skip(6 * kDouble + 2 * kDword);
  // Parallel line spacings (10) and the end of two-sided ones.
  reader.Skip(11 * kDouble);
  // Screen colours and widths (10 pairs); printer colours, widths and point
  // radii (10); line types 2 to 9 (4 words each), random lines 11 to 15 (5
  // words each), double-length types 16 to 19 (4 words each).
  reader.Skip(10 * 2 * kDword + 10 * (2 * kDword + kDouble) + 8 * 4 * kDword + 5 * 5 * kDword +
              4 * 4 * kDword);
  // Eleven switches of drawing and printing, the drawing time, the 2.5D
  // eye's flags and three angles, its heights and distances (5 doubles),
  // the last lengths, box sides and radius (4 doubles), the solids' colour
  // switch and colour.
  reader.Skip(11 * kDword + kDword + kDword + 3 * kDword + 5 * kDouble + 4 * kDouble + 2 * kDword);
  if (version >= 420) {
    // The extended colours of 4.20 (257 screen pairs; 257 named printer
    // ones) and line types (33 patterns; 33 named, each with 10 pitches).
    reader.Skip(257 * 2 * kDword);
    for (int i = 0; i < 257; ++i) {
      reader.SkipString();
      reader.Skip(2 * kDword + kDouble);
    }
    reader.Skip(33 * 4 * kDword);
    for (int i = 0; i < 33; ++i) {
      reader.SkipString();
      reader.Skip(kDword + 10 * kDouble);
    }
  }
  // Text kinds 1 to 10 (width, height, spacing, colour); the text being
  // written (3 doubles, 2 words); the tidying of texts (2 doubles); the
  // shifts of a text's base point (a switch and 6 doubles).
  reader.Skip(10 * (3 * kDouble + kDword) + 3 * kDouble + 2 * kDword + 2 * kDouble + kDword +
              6 * kDouble);
}

}  // namespace

void ReadHeader(ArchiveReader& reader, DrawingHeader& header) {
  const uint64_t versionOffset = reader.Offset();
  header.version = reader.Dword();
  if (header.version < kOldestVersion || header.version > kLatestPlausibleVersion)
    RaiseDamage(Damage::kUnknownVersion, versionOffset, std::to_string(header.version));
  reader.SkipString();      // the memo
  reader.Skip(2 * kDword);  // the paper, the layer group written to
  for (LayerGroup& group : header.groups) {
    group.state = reader.Dword();
    reader.Dword();  // its layer written to
    group.scale = reader.Double();
    reader.Dword();  // its protection
    for (uint32_t& state : group.layerStates) {
      state = reader.Dword();
      reader.Dword();  // the layer's protection
    }
  }
  reader.Skip(kBeforeNames);
  for (LayerGroup& group : header.groups) {
    for (ArchiveString& name : group.layerNames) reader.String(name);
  }
  for (LayerGroup& group : header.groups) reader.String(group.name);
  SkipSettings(reader, header.version);
}

}  // namespace toridasu::jww
