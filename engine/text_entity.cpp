#include "engine/text_entity.h"

#include <new>

#include "base/errors.h"

namespace toridasu {
namespace {

// Thrown inside the entity loop when a coordinate lies beyond double
// precision; the loop's guard ends the entity there.
struct CoordinateOutOfRange {};

void SetCoordinate(RecordCoordinate& target, std::string_view value) {
  if (value.empty()) return;
  if (target.Read(value) == CoordinateStatus::kOutOfRange) throw CoordinateOutOfRange{};
}

}  // namespace

void ReadTextEntity(PairReader& reader, TextEntity& entity) {
  entity.x.Reset();
  entity.y.Reset();
  entity.z.Reset();
  entity.text.clear();
  entity.textLine = 0;
  // From an embedded object on (group_code::kEmbeddedObject) no group is
  // the entity's, and its 10/20/30 are not parsed either.
  bool pointDone = false;
  try {
    while (!reader.AtEnd()) {
      if (reader.Peek().code == group_code::kType) break;
      const GroupPair& pair = reader.Take();
      switch (pair.code) {
        case group_code::kX:
          if (!pointDone) SetCoordinate(entity.x, pair.value);
          break;
        case group_code::kY:
          if (!pointDone) SetCoordinate(entity.y, pair.value);
          break;
        case group_code::kZ:
          if (!pointDone) SetCoordinate(entity.z, pair.value);
          break;
        case group_code::kEmbeddedObject:
          // The default mode writes what it has always written: an entity's
          // last group 1, wherever it stands. So here, unlike the full
          // reading, the embedded object ends the point but not the text.
          pointDone = true;
          break;
        case group_code::kText:
          if (!pair.value.empty()) {
            reader.TakeValueInto(entity.text);  // the one value that outlives the next read
            entity.textLine = pair.line + 1;
          }
          break;
        default: break;
      }
    }
  } catch (const CoordinateOutOfRange&) {
  } catch (const EInOutError&) {
  } catch (const std::bad_alloc&) {
    // The entity keeps what was read before the failure; the walk goes on.
  }
}

}  // namespace toridasu
