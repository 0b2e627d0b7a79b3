// Reading the groups of one text entity.
#include <new>

#include "base/errors.h"
#include "engine/dxf_source.h"
#include "engine/numbers.h"

namespace toridasu {
namespace {

constexpr int32_t kTypeCode = 0;
constexpr int32_t kTextCode = 1;
constexpr int32_t kXCode = 10;
constexpr int32_t kYCode = 20;
constexpr int32_t kZCode = 30;

// Thrown inside the entity loop when a coordinate lies beyond double
// precision; the loop's guard ends the entity there.
struct CoordinateOutOfRange {};

void SetCoordinate(double& target, const std::string& value) {
  if (value.empty()) return;
  const Coordinate parsed = ParseCoordinate(value);
  switch (parsed.status) {
    case CoordinateStatus::kValid: target = parsed.value; break;
    case CoordinateStatus::kInvalid: target = 0.0; break;
    case CoordinateStatus::kOutOfRange: throw CoordinateOutOfRange{};
  }
}

}  // namespace

void ReadTextEntity(DxfSource& source, TextEntity& entity, GroupPair& pair) {
  entity.x = entity.y = entity.z = 0.0;
  entity.text.clear();
  entity.textLine = 0;
  try {
    while (!source.AtEnd()) {
      ReadGroupPair(source, pair);
      const int32_t code = GroupCodeOf(pair.code);
      switch (code) {
        case kXCode: SetCoordinate(entity.x, pair.value); break;
        case kYCode: SetCoordinate(entity.y, pair.value); break;
        case kZCode: SetCoordinate(entity.z, pair.value); break;
        case kTextCode:
          if (!pair.value.empty()) {
            entity.text = pair.value;
            entity.textLine = source.NextLineNumber() - 1;
          }
          break;
        default: break;
      }
      if (code == kTypeCode) break;
    }
  } catch (const CoordinateOutOfRange&) {
  } catch (const EInOutError&) {
  } catch (const std::bad_alloc&) {
    // The entity keeps what was read before the failure; the walk goes on.
  }
}

}  // namespace toridasu
