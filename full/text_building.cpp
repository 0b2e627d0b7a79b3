#include "full/text_building.h"

#include "full/mtext_plain.h"
#include "full/tolerance_text.h"
#include "text/text_codes.h"

namespace toridasu::full {
namespace {

using model::Ocs;
using model::Vec3;

constexpr double kDegreesPerRadian = 180 / 3.14159265358979311600e+00;

bool IsWorldZ(const Point3& extrusion) {
  return extrusion.x == 0.0 && extrusion.y == 0.0 && extrusion.z == 1.0;
}

// Texts with MTEXT's formatting codes.
bool IsFormatted(const RawEntity& e) {
  return e.kind == EntityKind::kMtext || e.kind == EntityKind::kMultileader;
}

}  // namespace

bool DecodeDrawingText(std::string_view bytes, text::TextDecoder& decoder, std::string& out,
                       bool& fallbackUsed) {
  out.clear();
  switch (decoder.Decode(bytes, out)) {
    case text::TextDecoder::Result::kDecoded: return true;
    case text::TextDecoder::Result::kDecodedByFallback: fallbackUsed = true; return true;
    case text::TextDecoder::Result::kUndefined: return false;
  }
  return false;
}

TextOutcome BuildPlainText(std::string_view bytes, bool formatted, text::TextDecoder& decoder,
                           std::string& text, bool& fallbackUsed) {
  std::string decoded;
  if (!DecodeDrawingText(bytes, decoder, decoded, fallbackUsed)) return TextOutcome::kUndefined;
  text = formatted ? MTextToPlain(decoded) : text::DecodeTextCodes(decoded);
  return text::IsBlank(text) ? TextOutcome::kEmpty : TextOutcome::kText;
}

TextOutcome BuildTextRecord(const RawEntity& e, text::TextDecoder& decoder,
                            model::TextRecord& record, model::TextFrameInOcs& frame,
                            bool& fallbackUsed) {
  std::string decoded;
  bool defined = true;
  if (e.kind == EntityKind::kMtext && !e.pieces.empty()) {
    // Joined as bytes first: a piece may end inside a double-byte character.
    defined = DecodeDrawingText(e.pieces + e.text, decoder, decoded, fallbackUsed);
  } else {
    defined = DecodeDrawingText(e.text, decoder, decoded, fallbackUsed);
  }
  if (!defined) return TextOutcome::kUndefined;
  record.text = IsFormatted(e)                     ? MTextToPlain(decoded)
                : e.kind == EntityKind::kTolerance ? ToleranceToPlain(decoded)
                                                   : text::DecodeTextCodes(decoded);
  if (text::IsBlank(record.text)) return TextOutcome::kEmpty;  // shows nothing
  PlaceText(e, record, frame);
  return TextOutcome::kText;
}

void PlaceText(const RawEntity& e, model::TextRecord& record, model::TextFrameInOcs& frame) {
  record.handle = e.handle;
  record.height = e.height;
  record.line = e.textLine != 0 ? e.textLine : e.line;
  frame.height = e.height;
  // MTEXT, leader texts, feature control frames and RTEXT hold world
  // coordinates already.
  if (IsFormatted(e) || e.kind == EntityKind::kTolerance || e.kind == EntityKind::kRtext) {
    const Point3 where = e.kind == EntityKind::kMultileader ? e.third : e.point;
    record.point = record.align = where;
    record.rotation = e.rotation;
    // Their direction (11) turns MTEXT and frames; RTEXT's angle is in radians.
    if (e.kind != EntityKind::kMultileader && e.hasSecond)
      record.rotation = model::WorldAngleDegrees(e.second, e.rotation);
    if (e.kind == EntityKind::kRtext) record.rotation = e.rotation * kDegreesPerRadian;
    frame.extrusion = Vec3{0, 0, 1};
    frame.rotation = record.rotation;
    return;
  }
  frame.extrusion = e.extrusion;
  frame.rotation = e.rotation;
  if (IsWorldZ(e.extrusion)) {
    record.point = e.point;
    record.align = e.hasSecond ? e.second : e.point;
    record.rotation = e.rotation;
    return;
  }
  const Ocs ocs = model::OcsFromExtrusion(e.extrusion);
  record.point = model::OcsToWorld(ocs, e.point);
  record.align = e.hasSecond ? model::OcsToWorld(ocs, e.second) : record.point;
  record.rotation = model::OcsAngleToWorld(ocs, e.rotation);
}

}  // namespace toridasu::full
