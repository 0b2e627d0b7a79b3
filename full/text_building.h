// From the groups of a text-bearing entity to the text a user sees, placed in
// the coordinates of the space or block that holds the entity.
#pragma once

#include <cstdint>
#include <string>

#include "full/ocs.h"
#include "full/raw_entity.h"
#include "full/text_record.h"
#include "text/drawing_decoding.h"

namespace toridasu::full {

// What a block reference needs to turn a text again: its own coordinate
// system, and its rotation and height there.
struct TextFrameInOcs {
  Vec3 extrusion{0, 0, 1};
  double rotation = 0.0;
  double height = 0.0;
};

enum class TextOutcome {
  kText,       // `record` holds a text
  kEmpty,      // the entity shows no text
  kUndefined,  // its bytes are not defined in the drawing's code page
};

// Fills `record` (text, point, alignment point, height, rotation, handle,
// line) for TEXT, ATTRIB, ATTDEF, MTEXT and MULTILEADER; its type, layer and
// style are the caller's, which decodes names.
// `fallbackUsed` is set when this text was the first one that needed the
// drawing's fallback code page.
TextOutcome BuildTextRecord(const RawEntity& entity, text::TextDecoder& decoder, TextRecord& record,
                            TextFrameInOcs& frame, bool& fallbackUsed);

// Decodes bytes of the drawing (names, DIMENSION texts); false when undefined.
bool DecodeDrawingText(std::string_view bytes, text::TextDecoder& decoder, std::string& out,
                       bool& fallbackUsed);

}  // namespace toridasu::full
