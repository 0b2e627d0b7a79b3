#include "full/dimension_measure.h"

#include <algorithm>
#include <cmath>

#include "base/exact_decimals.h"
#include "model/ocs.h"

namespace toridasu::full {
namespace {

using model::Vec3;

// A dimension's types, in the low bits of group 70.
enum DimensionType : int32_t {
  kRotated = 0,
  kAligned = 1,
  kAngular = 2,
  kDiameter = 3,
  kRadius = 4,
  kAngularThreePoint = 5,
  kOrdinate = 6,
};
constexpr int32_t kTypeBits = 7;
constexpr int32_t kOrdinateX = 64;

constexpr int32_t kMostDecimals = 8;  // as many as a style can ask for
constexpr double kRadiansPerDegree = 3.14159265358979323846 / 180;

// A point seen in the dimension's plane: its OCS X and Y.
struct Flat {
  double x = 0, y = 0;
};
Flat Minus(Flat a, Flat b) { return {a.x - b.x, a.y - b.y}; }
double DotOf(Flat a, Flat b) { return a.x * b.x + a.y * b.y; }
double CrossOf(Flat a, Flat b) { return a.x * b.y - a.y * b.x; }
double LengthOf(Flat a) { return std::hypot(a.x, a.y); }

// The angle between two directions, in [0, 180] degrees (the model's own
// arc tangent, so that every build writes the same digits).
double AngleBetween(Flat a, Flat b) {
  return model::WorldAngleDegrees(Vec3{DotOf(a, b), std::fabs(CrossOf(a, b)), 0}, 0);
}

// Whether `p` lies in the angle (under 180 degrees) from direction `a` to `b`.
bool WithinAngle(Flat a, Flat b, Flat p) {
  const double turn = CrossOf(a, b);
  return CrossOf(a, p) * turn >= 0 && CrossOf(p, b) * turn >= 0 &&
         DotOf(Flat{a.x + b.x, a.y + b.y}, p) > 0;
}

// The angle between the line from `a0` to `a1` and the line from `b0` to
// `b1`: the one of the four at their crossing in which `arc` lies, else the
// one towards the lines' far ends; nothing for parallel lines.
std::optional<double> AngleOfLines(Flat a0, Flat a1, Flat b0, Flat b1, std::optional<Flat> arc) {
  const Flat da = Minus(a1, a0), db = Minus(b1, b0);
  const double turn = CrossOf(da, db);
  if (!(std::fabs(turn) > 1e-12 * LengthOf(da) * LengthOf(db))) return std::nullopt;
  const double t = CrossOf(Minus(b0, a0), db) / turn;
  const Flat vertex{a0.x + da.x * t, a0.y + da.y * t};
  if (arc) {
    const Flat p = Minus(*arc, vertex);
    for (const double sa : {1.0, -1.0}) {
      for (const double sb : {1.0, -1.0}) {
        const Flat ra{da.x * sa, da.y * sa}, rb{db.x * sb, db.y * sb};
        if (WithinAngle(ra, rb, p)) return AngleBetween(ra, rb);
      }
    }
  }
  const auto farEnd = [&](Flat p0, Flat p1) {
    const Flat r0 = Minus(p0, vertex), r1 = Minus(p1, vertex);
    return LengthOf(r0) > LengthOf(r1) ? r0 : r1;
  };
  return AngleBetween(farEnd(a0, a1), farEnd(b0, b1));
}

// What the points measure, for the types that measure from points.
std::optional<Measurement> FromPoints(const RawEntity& e) {
  const model::Ocs ocs = model::OcsFromExtrusion(e.extrusion);
  const auto flat = [&](const Point3& p) {
    return Flat{model::Dot(p, ocs.ax), model::Dot(p, ocs.ay)};
  };
  const Flat p10 = flat(e.point), p13 = flat(e.firstPoint), p14 = flat(e.secondPoint),
             p15 = flat(e.thirdPoint);
  const std::optional<Flat> arc =
      e.hasArcPoint ? std::optional<Flat>(flat(e.arcPoint)) : std::nullopt;
  switch (e.dimensionFlags & kTypeBits) {
    case kRotated: {
      // Along the dimension line, whose direction (50) is an angle of the OCS.
      double sine = 0, cosine = 1;
      model::SinCosDegrees(e.rotation, sine, cosine);
      return Measurement{std::fabs(DotOf(Minus(p14, p13), Flat{cosine, sine}))};
    }
    case kAligned: return Measurement{LengthOf(Minus(p14, p13))};
    case kRadius:
    case kDiameter: return Measurement{LengthOf(Minus(p15, p10))};
    case kOrdinate: {
      // The distance from the origin along one axis: an ordinate shows no sign.
      const Flat d = Minus(p13, p10);
      return Measurement{std::fabs((e.dimensionFlags & kOrdinateX) != 0 ? d.x : d.y)};
    }
    case kAngular: {
      const std::optional<double> angle = AngleOfLines(p13, p14, p15, p10, arc);
      if (!angle) return std::nullopt;
      return Measurement{*angle, true};
    }
    case kAngularThreePoint: {
      const Flat a = Minus(p13, p15), b = Minus(p14, p15);
      if (LengthOf(a) == 0 || LengthOf(b) == 0) return Measurement{0, true};
      const double angle = AngleBetween(a, b);
      // An arc on the far side measures the larger angle.
      const bool larger = arc && !WithinAngle(a, b, Minus(*arc, p15)) && angle < 180;
      return Measurement{larger ? 360 - angle : angle, true};
    }
    default: return std::nullopt;
  }
}

bool IsAngular(const RawEntity& e) {
  const int32_t type = e.dimensionFlags & kTypeBits;
  return type == kAngular || type == kAngularThreePoint;
}

}  // namespace

// The points say what a dimension shows; group 42 is its writer's own figure
// of the same (radians for an angle), taken where it agrees with the points
// to a part in a million, since it carries the writer's digits. Writers that
// do not compute it put nothing, -1 or 0 there, so where it disagrees the
// points decide. Where the points measure nothing (an unknown type, parallel
// lines, points that coincide), a group 42 other than -1 and 0 stands as it
// is; failing that, the points' zero, or nothing for an unknown type.
std::optional<Measurement> MeasurementOf(const RawEntity& e) {
  const std::optional<Measurement> measured = FromPoints(e);
  const bool angle = IsAngular(e);
  const double written = angle ? e.measurement / kRadiansPerDegree : e.measurement;
  const bool placeholder =
      !e.hasMeasurement || e.measurement == -1 || e.measurement == 0 || !std::isfinite(written);
  if (measured && !std::isfinite(measured->value)) return std::nullopt;
  if (measured && measured->value > 0) {
    const bool agrees =
        !placeholder && std::fabs(written - measured->value) <= 1e-6 * measured->value;
    return agrees ? Measurement{written, angle} : measured;
  }
  if (!placeholder) return Measurement{written, angle};
  return measured;
}

std::string FormatMeasurement(const Measurement& m, int32_t decimals, char separator) {
  std::string text = FixedDecimals(m.value, std::clamp(decimals, 0, kMostDecimals));
  // A small negative value rounded to zero shows no sign.
  if (text.starts_with("-") && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
  for (char& c : text) {
    if (c == '.') c = separator;
  }
  if (m.angle) text += "\xC2\xB0";
  return text;
}

}  // namespace toridasu::full
