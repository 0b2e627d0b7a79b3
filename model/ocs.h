// Coordinate systems of a drawing: an entity's own system (OCS, from its
// extrusion direction by the arbitrary-axis rule) and the affine transforms
// that place block contents in the world. Angles are in degrees; their sines
// and cosines are computed by the program's own code, exact at multiples of
// 90 degrees, so that both builds write the same digits.
#pragma once

namespace toridasu::model {

struct Vec3 {
  double x = 0, y = 0, z = 0;
  friend bool operator==(const Vec3&, const Vec3&) = default;
};

// An entity's coordinate system: the world directions of its three axes.
struct Ocs {
  Vec3 ax{1, 0, 0}, ay{0, 1, 0}, az{0, 0, 1};
};

// The OCS of an extrusion direction (the entity's Z axis). A zero or
// non-finite direction counts as the world's Z axis.
Ocs OcsFromExtrusion(Vec3 extrusion);

// A point or direction of the OCS in world coordinates.
Vec3 OcsToWorld(const Ocs& ocs, Vec3 p);

// A world point or direction in the OCS's coordinates (its axes are
// perpendicular unit vectors, so this undoes OcsToWorld).
Vec3 WorldToOcs(const Ocs& ocs, Vec3 p);

// The unit direction of `angleDegrees` within the OCS's XY plane, in world
// coordinates.
Vec3 OcsAngleDirection(const Ocs& ocs, double angleDegrees);

// The angle of a world direction seen from above (its projection on the world
// XY plane), in [0, 360); `fallback` when the projection is (nearly) a point.
double WorldAngleDegrees(Vec3 direction, double fallback);

// The world angle of a rotation angle given in an OCS.
double OcsAngleToWorld(const Ocs& ocs, double angleDegrees);

// sin and cos of an angle in degrees; exact at multiples of 90 degrees.
void SinCosDegrees(double degrees, double& sine, double& cosine);

// Vector helpers.
Vec3 Add(Vec3 a, Vec3 b);
Vec3 Subtract(Vec3 a, Vec3 b);
Vec3 Scale(Vec3 a, double s);
Vec3 Cross(Vec3 a, Vec3 b);
double Dot(Vec3 a, Vec3 b);
double Length(Vec3 a);

// p' = M p + t, as a 3x3 matrix (columns: images of the X, Y and Z axes) and a
// translation.
struct Affine3 {
  Vec3 cx{1, 0, 0}, cy{0, 1, 0}, cz{0, 0, 1};
  Vec3 t{};

  static Affine3 Translation(Vec3 offset);
  static Affine3 Scaling(Vec3 factors);
  static Affine3 RotationZ(double angleDegrees);
  static Affine3 FromOcs(const Ocs& ocs);

  Vec3 ApplyToPoint(Vec3 p) const;
  Vec3 ApplyToDirection(Vec3 d) const;
  // Negative when the transform mirrors.
  double Determinant() const;
};

// The transform that applies `inner` first and then `outer`.
Affine3 Compose(const Affine3& outer, const Affine3& inner);

// What a block reference (or one cell of its grid) says about placing its
// block's contents.
struct BlockPlacement {
  Vec3 basePoint;              // of the block definition
  Vec3 insertionPoint;         // in the reference's OCS
  Vec3 scale{1, 1, 1};         // along the block's X, Y and Z
  double rotationDegrees = 0;  // about the reference's Z axis
  Vec3 extrusion{0, 0, 1};     // the reference's Z axis
  double columnOffset = 0;     // column index times the column spacing
  double rowOffset = 0;        // row index times the row spacing
};

// Block coordinates to the coordinates the reference lives in: minus the base
// point, scaled, rotated, moved to the insertion point plus the grid offset
// (which turns with the rotation but is not scaled), then out of the
// reference's OCS.
Affine3 BlockTransform(const BlockPlacement& placement);

// A text's frame carried through a transform: its world rotation and height.
struct TextFrame {
  double rotationDegrees = 0;
  double height = 0;
};

// The rotation and height of a text (rotation and height in the OCS
// `textOcs`) after `transform`: the rotation follows the text's baseline
// direction, the height the length of its upright direction.
TextFrame TransformTextFrame(const Affine3& transform, const Ocs& textOcs, double rotationDegrees,
                             double height);

}  // namespace toridasu::model
