// Reading the groups of one text entity: its insertion point and its text.
#pragma once

#include <cstdint>

#include "engine/pair_reader.h"
#include "engine/record_coordinate.h"

namespace toridasu {

// What a conversion keeps of one text entity.
struct TextEntity {
  RecordCoordinate x;
  RecordCoordinate y;
  RecordCoordinate z;
  ByteBuffer text;
  uint64_t textLine = 0;  // the drawing's line that held the text (0: none)
};

// Reads the groups of one text entity up to the next pair of group code 0,
// which is left waiting in `reader` for the caller. Failures end the entity
// quietly: it keeps what was read before.
void ReadTextEntity(PairReader& reader, TextEntity& entity);

}  // namespace toridasu
