#include <gtest/gtest.h>

#include <cmath>

#include "model/ocs.h"

namespace toridasu::model {
namespace {

void ExpectNear(Vec3 actual, Vec3 expected, const char* what) {
  EXPECT_NEAR(actual.x, expected.x, 1e-12) << what;
  EXPECT_NEAR(actual.y, expected.y, 1e-12) << what;
  EXPECT_NEAR(actual.z, expected.z, 1e-12) << what;
}

// The world point of OCS point (1, 2, 3); the expectations of the general
// directions come from ezdxf's OCS.
TEST(ModelOcs, ArbitraryAxisRule) {
  const struct {
    Vec3 extrusion, world;
    bool exact;
  } cases[] = {
      {{0, 0, 1}, {1, 2, 3}, true},
      {{0, 0, 7}, {1, 2, 3}, true},
      {{0, 0, 0}, {1, 2, 3}, true},  // no direction: the world's
      {{0, 0, -1}, {-1, 2, -3}, true},
      {{1, 0, 0}, {3, 1, 2}, true},
      {{0, 1, 0}, {-1, 3, 2}, true},
      {{0.01, 0, 1}, {1.0299485038621783, 2.0, 2.989850511211566}, false},  // below 1/64
      {{1, 1, 1}, {0.20844744545460392, 1.622661007827699, 3.36504396942433}, false},
      {{0, -0.6, 0.8}, {1.0, -0.19999999999999973, 3.6000000000000005}, false},
  };
  for (const auto& c : cases) {
    const Vec3 world = OcsToWorld(OcsFromExtrusion(c.extrusion), {1, 2, 3});
    if (c.exact) {
      EXPECT_EQ(world, c.world) << c.extrusion.x << " " << c.extrusion.y << " " << c.extrusion.z;
    } else {
      ExpectNear(world, c.world, "general extrusion");
    }
  }
}

TEST(ModelOcs, AnglesAreExactAtRightAnglesAndCloseElsewhere) {
  const struct {
    double degrees, sine, cosine;
  } exact[] = {{0, 0, 1}, {90, 1, 0}, {180, 0, -1}, {-90, -1, 0}, {450, 1, 0}, {-720, 0, 1}};
  for (const auto& c : exact) {
    double s, co;
    SinCosDegrees(c.degrees, s, co);
    EXPECT_EQ(s, c.sine) << c.degrees;
    EXPECT_EQ(co, c.cosine) << c.degrees;
    EXPECT_FALSE(std::signbit(s) && s == 0) << c.degrees;
  }
  // Against the C library, over the whole circle and beyond.
  for (double d = -400; d <= 400; d += 0.37) {
    double s, c;
    SinCosDegrees(d, s, c);
    const double r = std::remainder(d, 360) * 3.14159265358979323846 / 180;
    EXPECT_NEAR(s, std::sin(r), 1e-15) << d;
    EXPECT_NEAR(c, std::cos(r), 1e-15) << d;
    const double back = WorldAngleDegrees({c, s, 0}, -1);
    EXPECT_NEAR(back, d - 360 * std::floor(d / 360), 1e-12) << d;
  }
}

TEST(ModelOcs, RotationAnglesInTheWorld) {
  const struct {
    Vec3 extrusion;
    double ocsAngle, worldAngle;
    bool exact = false;
  } cases[] = {
      {{0, 0, 1}, 30, 30},         {{0, 0, 1}, 400, 400},  // kept as written
      {{0, 0, -1}, 30, 150, true}, {{0, 0, -1}, -30, 210},
      {{0, 0, -1}, 180, 0},        {{0, 1, 0}, 0, 180},  // X axis along -X
      {{1, 0, 0}, 90, 90},                               // upright: seen end-on, kept
  };
  for (const auto& c : cases) {
    EXPECT_NEAR(OcsAngleToWorld(OcsFromExtrusion(c.extrusion), c.ocsAngle), c.worldAngle,
                c.exact ? 0.0 : 1e-12)
        << c.extrusion.z << " " << c.ocsAngle;
  }
}

// Block point (2, 1, 0) placed by a reference.
TEST(ModelOcs, BlockReferences) {
  BlockPlacement scaled;
  scaled.basePoint = {1, 1, 0}, scaled.insertionPoint = {10, 20, 0}, scaled.scale = {2, 3, 1};
  BlockPlacement mirrored;
  mirrored.scale = {-1, 1, 1};
  BlockPlacement turned;
  turned.insertionPoint = {5, 0, 0}, turned.rotationDegrees = 90;
  BlockPlacement upsideDown;
  upsideDown.insertionPoint = {10, 0, 0}, upsideDown.extrusion = {0, 0, -1};
  BlockPlacement gridCell = turned;  // column 1 at spacing 10, row 2 at spacing 5
  gridCell.columnOffset = 10, gridCell.rowOffset = 10, gridCell.scale = {3, 3, 1};
  const struct {
    const char* name;
    BlockPlacement placement;
    Vec3 world;
    bool mirrors;
  } cases[] = {
      {"scale", scaled, {12, 20, 0}, false},
      {"negative scale", mirrored, {-2, 1, 0}, true},
      {"rotation", turned, {4, 2, 0}, false},
      {"extrusion (0,0,-1)", upsideDown, {-12, 1, 0}, false},  // a half turn, no mirror
      {"MINSERT cell", gridCell, {-8, 16, 0}, false},
  };
  for (const auto& c : cases) {
    const Affine3 m = BlockTransform(c.placement);
    EXPECT_EQ(m.ApplyToPoint({2, 1, 0}), c.world) << c.name;
    EXPECT_EQ(m.Determinant() < 0, c.mirrors) << c.name;
  }
  // Nested: a door block turned 90 degrees at (5, 0) inside a room block with
  // base point (1, 1), scaled by 2 and placed at (100, 0).
  BlockPlacement room;
  room.basePoint = {1, 1, 0}, room.insertionPoint = {100, 0, 0}, room.scale = {2, 2, 2};
  const Affine3 nested = Compose(BlockTransform(room), BlockTransform(turned));
  EXPECT_EQ(nested.ApplyToPoint({2, 1, 0}), (Vec3{106, 2, 0}));  // (4,2) in the room
}

TEST(ModelOcs, TextFramesFollowTheTransform) {
  const Ocs world;
  BlockPlacement turned;
  turned.rotationDegrees = 45, turned.scale = {2, 3, 1};
  BlockPlacement mirrored;
  mirrored.scale = {-1, 1, 1};
  BlockPlacement upsideDown;
  upsideDown.extrusion = {0, 0, -1};
  const struct {
    const char* name;
    Affine3 transform;
    Ocs textOcs;
    double rotation, height;
    TextFrame expected;
  } cases[] = {
      {"identity", Affine3{}, world, 30, 2.5, {30, 2.5}},
      {"scaled and turned", BlockTransform(turned), world, 0, 2, {45, 6}},
      {"mirrored", BlockTransform(mirrored), world, 0, 1, {180, 1}},
      {"mirrored block", BlockTransform(upsideDown), world, 30, 1, {150, 1}},
      {"text's own OCS", Affine3{}, OcsFromExtrusion({0, 0, -1}), 30, 1, {150, 1}},
  };
  for (const auto& c : cases) {
    const TextFrame f = TransformTextFrame(c.transform, c.textOcs, c.rotation, c.height);
    EXPECT_NEAR(f.rotationDegrees, c.expected.rotationDegrees, 1e-12) << c.name;
    EXPECT_NEAR(f.height, c.expected.height, 1e-12) << c.name;
  }
}

}  // namespace
}  // namespace toridasu::model
