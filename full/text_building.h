// From the groups of a text-bearing entity to the text a user sees, placed in
// the coordinates of the space or block that holds the entity.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "full/raw_entity.h"
#include "model/block_store.h"
#include "model/text_record.h"
#include "text/drawing_decoding.h"

namespace toridasu::full {

enum class TextOutcome {
  kText,       // `record` holds a text
  kEmpty,      // the entity shows no text (none, or white space only)
  kUndefined,  // its bytes are not defined in the drawing's code page
};

// Fills `record` (text, point, alignment point, height, rotation, handle,
// line) for TEXT, ATTRIB, ATTDEF, MTEXT, MULTILEADER, TOLERANCE, ARCALIGNEDTEXT
// and RTEXT; its type, layer and
// style are the caller's, which decodes names.
// `fallbackUsed` is set when this text was the first one that needed the
// drawing's fallback code page.
TextOutcome BuildTextRecord(const RawEntity& entity, text::TextDecoder& decoder,
                            model::TextRecord& record, model::TextFrameInOcs& frame,
                            bool& fallbackUsed);

// The placing half of BuildTextRecord: `record`'s points, height, rotation,
// handle and line, and `frame`, from the entity's groups.
void PlaceText(const RawEntity& entity, model::TextRecord& record, model::TextFrameInOcs& frame);

// A text that an entity holds beside its own (a table's cell, a leader's
// attribute value) decoded into `text`: its MTEXT codes removed when
// `formatted`, else its text codes decoded.
TextOutcome BuildPlainText(std::string_view bytes, bool formatted, text::TextDecoder& decoder,
                           std::string& text, bool& fallbackUsed);

// Decodes bytes of the drawing (names, DIMENSION texts); false when undefined.
bool DecodeDrawingText(std::string_view bytes, text::TextDecoder& decoder, std::string& out,
                       bool& fallbackUsed);

}  // namespace toridasu::full
