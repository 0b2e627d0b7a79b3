// The head of a Jw_cad drawing: its version, and of its 16 layer groups of
// 16 layers each what the texts need (whether each is shown, each group's
// scale, their names). The many settings between them are passed over by
// their sizes, which the version decides.
#pragma once

#include <array>
#include <cstdint>

#include "jww/archive_reader.h"

namespace toridasu::jww {

constexpr int kLayerGroups = 16;
constexpr int kLayersPerGroup = 16;

struct LayerGroup {
  uint32_t state = 2;  // 0 hidden, 1 shown only, 2 editable, 3 written to
  double scale = 1;    // the denominator of the group's scale (100: 1/100)
  std::array<uint32_t, kLayersPerGroup> layerStates{};  // as the group's state
  ArchiveString name;
  std::array<ArchiveString, kLayersPerGroup> layerNames;
};

struct DrawingHeader {
  uint32_t version = 0;  // 230 up to 700 and later
  std::array<LayerGroup, kLayerGroups> groups;
};

// The oldest version whose layout the reading knows.
constexpr uint32_t kOldestVersion = 230;

// Reads the header after the signature: up to the count of the list of
// objects. A version the reading does not know raises its damage.
void ReadHeader(ArchiveReader& reader, DrawingHeader& header);

}  // namespace toridasu::jww
