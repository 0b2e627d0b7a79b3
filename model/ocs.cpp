#include "model/ocs.h"

#include <cmath>

namespace toridasu::model {
namespace {

constexpr double kPi = 3.14159265358979311600e+00;
constexpr double kRadiansPerDegree = kPi / 180;
constexpr double kDegreesPerRadian = 180 / kPi;

// Below this, an extrusion's X and Y parts count as zero: the arbitrary-axis
// rule's threshold.
constexpr double kArbitraryAxisLimit = 1.0 / 64;

bool IsIdentity(const Ocs& ocs) {
  return ocs.az == Vec3{0, 0, 1} && ocs.ax == Vec3{1, 0, 0} && ocs.ay == Vec3{0, 1, 0};
}

// The OCS of the extrusion (0, 0, -1): X turned round, Y kept. Angles in it
// turn the other way; they are mapped exactly.
bool IsMirrorOfWorld(const Ocs& ocs) {
  return ocs.az == Vec3{0, 0, -1} && ocs.ax == Vec3{-1, 0, 0} && ocs.ay == Vec3{0, 1, 0};
}

Vec3 Normalized(Vec3 v) { return Scale(v, 1 / Length(v)); }

// An angle in degrees brought into [0, 360).
double NormalizedDegrees(double degrees) {
  double r = std::fmod(degrees, 360.0);
  if (r < 0) r += 360;
  return r + 0.0;  // no negative zero
}

// sin and cos for |x| <= pi/4: minimax polynomials (the classic fdlibm
// kernels), in plain double operations so every build rounds alike.
double KernelSin(double x) {
  const double z = x * x;
  const double r = 8.33333333332248946124e-03 +
                   z * (-1.98412698298579493134e-04 +
                        z * (2.75573137070700676789e-06 +
                             z * (-2.50507602534068634195e-08 + z * 1.58969099521155010221e-10)));
  return x + z * x * (-1.66666666666666324348e-01 + z * r);
}

double KernelCos(double x) {
  const double z = x * x;
  const double r =
      z * (4.16666666666666019037e-02 +
           z * (-1.38888888888741095749e-03 +
                z * (2.48015872894767294178e-05 +
                     z * (-2.75573143513906633035e-07 +
                          z * (2.08757232129817482790e-09 + z * -1.13596475577881948265e-11)))));
  const double hz = 0.5 * z;
  const double w = 1.0 - hz;
  return w + (((1.0 - w) - hz) + z * r);
}

// atan for 0 <= t <= 1 (the fdlibm method: a table point and a polynomial).
double AtanUnit(double t) {
  static constexpr double kAt[] = {
      3.33333333333329318027e-01,  -1.99999999998764832476e-01, 1.42857142725034663711e-01,
      -1.11111104054623557880e-01, 9.09088713343650656196e-02,  -7.69187620504482999495e-02,
      6.66107313738753120669e-02,  -5.83357013379057348645e-02, 4.97687799461593236017e-02,
      -3.65315727442169155270e-02, 1.62858201153657823623e-02};
  double hi = 0, lo = 0;
  bool shifted = false;
  if (t >= 11.0 / 16) {  // around atan(1)
    hi = 7.85398163397448278999e-01, lo = 3.06161699786838301793e-17;
    t = (t - 1) / (t + 1);
    shifted = true;
  } else if (t >= 7.0 / 16) {  // around atan(0.5)
    hi = 4.63647609000806093515e-01, lo = 2.26987774529616870924e-17;
    t = (2 * t - 1) / (2 + t);
    shifted = true;
  }
  const double z = t * t;
  const double w = z * z;
  const double s1 =
      z * (kAt[0] + w * (kAt[2] + w * (kAt[4] + w * (kAt[6] + w * (kAt[8] + w * kAt[10])))));
  const double s2 = w * (kAt[1] + w * (kAt[3] + w * (kAt[5] + w * (kAt[7] + w * kAt[9]))));
  if (!shifted) return t - t * (s1 + s2);
  return hi - ((t * (s1 + s2) - lo) - t);
}

}  // namespace

Vec3 Add(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Vec3 Subtract(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec3 Scale(Vec3 a, double s) { return {a.x * s, a.y * s, a.z * s}; }
Vec3 Cross(Vec3 a, Vec3 b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
double Dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
double Length(Vec3 a) { return std::sqrt(Dot(a, a)); }

Ocs OcsFromExtrusion(Vec3 extrusion) {
  const double length = Length(extrusion);
  if (!std::isfinite(length) || length == 0) return {};
  const Vec3 az = Normalized(extrusion);
  if (az == Vec3{0, 0, 1}) return {};
  const Vec3 ax = std::fabs(az.x) < kArbitraryAxisLimit && std::fabs(az.y) < kArbitraryAxisLimit
                      ? Normalized(Cross({0, 1, 0}, az))
                      : Normalized(Cross({0, 0, 1}, az));
  return {ax, Normalized(Cross(az, ax)), az};
}

Vec3 OcsToWorld(const Ocs& ocs, Vec3 p) {
  if (IsIdentity(ocs)) return p;
  return Add(Add(Scale(ocs.ax, p.x), Scale(ocs.ay, p.y)), Scale(ocs.az, p.z));
}

Vec3 WorldToOcs(const Ocs& ocs, Vec3 p) {
  if (IsIdentity(ocs)) return p;
  return {Dot(ocs.ax, p), Dot(ocs.ay, p), Dot(ocs.az, p)};
}

void SinCosDegrees(double degrees, double& sine, double& cosine) {
  if (!std::isfinite(degrees)) {
    sine = cosine = NAN;
    return;
  }
  // Reduced in degrees, where the steps are exact: the remainder after the
  // nearest multiple of 90 lies in [-45, 45].
  const double d = std::fmod(degrees, 360.0);
  const double quarter = std::nearbyint(d / 90);
  const double x = (d - quarter * 90) * kRadiansPerDegree;
  const double s = KernelSin(x), c = KernelCos(x);
  switch ((static_cast<int>(quarter) % 4 + 4) % 4) {
    case 0: sine = s, cosine = c; break;
    case 1: sine = c, cosine = -s; break;
    case 2: sine = -s, cosine = -c; break;
    default: sine = -c, cosine = s; break;
  }
  sine += 0.0, cosine += 0.0;  // no negative zeros
}

Vec3 OcsAngleDirection(const Ocs& ocs, double angleDegrees) {
  double s, c;
  SinCosDegrees(angleDegrees, s, c);
  return OcsToWorld(ocs, {c, s, 0});
}

double WorldAngleDegrees(Vec3 direction, double fallback) {
  const double x = direction.x, y = direction.y;
  const double ax = std::fabs(x), ay = std::fabs(y);
  if (!(ax + ay > 1e-12 * Length(direction))) return fallback;  // seen end-on
  if (y == 0) return x > 0 ? 0 : 180;
  if (x == 0) return y > 0 ? 90 : 270;
  // The angle from the nearer axis, then placed in its quadrant.
  double a = ax == ay  ? 45
             : ay < ax ? AtanUnit(ay / ax) * kDegreesPerRadian
                       : 90 - AtanUnit(ax / ay) * kDegreesPerRadian;
  if (x < 0) a = 180 - a;
  if (y < 0) a = 360 - a;
  return a;
}

double OcsAngleToWorld(const Ocs& ocs, double angleDegrees) {
  if (IsIdentity(ocs)) return angleDegrees;
  if (IsMirrorOfWorld(ocs)) return NormalizedDegrees(180 - angleDegrees);
  return WorldAngleDegrees(OcsAngleDirection(ocs, angleDegrees), angleDegrees);
}

Affine3 Affine3::Translation(Vec3 offset) {
  Affine3 m;
  m.t = offset;
  return m;
}

Affine3 Affine3::Scaling(Vec3 factors) {
  Affine3 m;
  m.cx = {factors.x, 0, 0};
  m.cy = {0, factors.y, 0};
  m.cz = {0, 0, factors.z};
  return m;
}

Affine3 Affine3::RotationZ(double angleDegrees) {
  double s, c;
  SinCosDegrees(angleDegrees, s, c);
  Affine3 m;
  m.cx = {c, s, 0};
  m.cy = {-s + 0.0, c, 0};
  return m;
}

Affine3 Affine3::FromOcs(const Ocs& ocs) {
  Affine3 m;
  m.cx = ocs.ax;
  m.cy = ocs.ay;
  m.cz = ocs.az;
  return m;
}

Vec3 Affine3::ApplyToDirection(Vec3 d) const {
  return Add(Add(Scale(cx, d.x), Scale(cy, d.y)), Scale(cz, d.z));
}

Vec3 Affine3::ApplyToPoint(Vec3 p) const { return Add(ApplyToDirection(p), t); }

double Affine3::Determinant() const { return Dot(cx, Cross(cy, cz)); }

Affine3 Compose(const Affine3& outer, const Affine3& inner) {
  Affine3 m;
  m.cx = outer.ApplyToDirection(inner.cx);
  m.cy = outer.ApplyToDirection(inner.cy);
  m.cz = outer.ApplyToDirection(inner.cz);
  m.t = outer.ApplyToPoint(inner.t);
  return m;
}

Affine3 BlockTransform(const BlockPlacement& p) {
  const Affine3 inOcs = Compose(
      Affine3::RotationZ(p.rotationDegrees),
      Compose(Affine3::Translation({p.columnOffset, p.rowOffset, 0}),
              Compose(Affine3::Scaling(p.scale), Affine3::Translation(Scale(p.basePoint, -1)))));
  const Affine3 placed = Compose(Affine3::Translation(p.insertionPoint), inOcs);
  return Compose(Affine3::FromOcs(OcsFromExtrusion(p.extrusion)), placed);
}

TextFrame TransformTextFrame(const Affine3& transform, const Ocs& textOcs, double rotationDegrees,
                             double height) {
  const Vec3 baseline = transform.ApplyToDirection(OcsAngleDirection(textOcs, rotationDegrees));
  const Vec3 upright = transform.ApplyToDirection(OcsAngleDirection(textOcs, rotationDegrees + 90));
  return {WorldAngleDegrees(baseline, rotationDegrees), height * Length(upright)};
}

}  // namespace toridasu::model
