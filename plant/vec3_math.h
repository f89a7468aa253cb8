// Vector arithmetic of the plant engine on the stored Vec3 layout (vec3.h). Every operation that
// yields a vector writes it into the caller's out and returns out, so calls nest. Each one reads
// all of its inputs before it writes, so out may alias an input (except in Vec3FromPolar).
// Lengths are plain square roots of the sum of squares; normalising or projecting on the zero
// vector divides by zero, so callers make sure they never pass one.
#pragma once

#include <cmath>

#include "plant/vec3.h"

namespace plant {

/// out = (x, y, z).
inline Vec3* Vec3Set(Vec3* out, double x, double y, double z) {
  out->x = x;
  out->y = y;
  out->z = z;
  return out;
}

/// out = a.
inline Vec3* Vec3Copy(Vec3* out, const Vec3& a) {
  *out = a;
  return out;
}

/// out = a + b, component by component.
inline Vec3* Vec3Add(Vec3* out, const Vec3& a, const Vec3& b) {
  return Vec3Set(out, a.x + b.x, a.y + b.y, a.z + b.z);
}

/// out = a - b, component by component.
inline Vec3* Vec3Sub(Vec3* out, const Vec3& a, const Vec3& b) {
  return Vec3Set(out, a.x - b.x, a.y - b.y, a.z - b.z);
}

/// out = s v.
inline Vec3* Vec3Scale(Vec3* out, const Vec3& v, double s) {
  return Vec3Set(out, s * v.x, s * v.y, s * v.z);
}

/// out = (sx v.x, sy v.y, sz v.z).
inline Vec3* Vec3ScaleAxes(Vec3* out, const Vec3& v, double sx, double sy, double sz) {
  return Vec3Set(out, sx * v.x, sy * v.y, sz * v.z);
}

/// a . b
[[nodiscard]] inline double Vec3Dot(const Vec3& a, const Vec3& b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}

/// out = a x b.
inline Vec3* Vec3Cross(Vec3* out, const Vec3& a, const Vec3& b) {
  return Vec3Set(out, a.y * b.z - b.y * a.z, a.z * b.x - b.z * a.x, a.x * b.y - b.x * a.y);
}

/// |v|
[[nodiscard]] inline double Vec3Length(const Vec3& v) {
  return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
}

/// Divides v by its length in place and returns the length it had.
inline double Vec3Normalize(Vec3* v) {
  const double length = Vec3Length(*v);
  Vec3Set(v, v->x / length, v->y / length, v->z / length);
  return length;
}

/// Scalar projection of b on a: a . b / |a|.
[[nodiscard]] inline double Vec3Project(const Vec3& a, const Vec3& b) {
  return Vec3Dot(a, b) / Vec3Length(a);
}

/// Change of basis: out = v.x X + v.y Y + v.z Z, with v given in the frame of axes X, Y, Z.
inline Vec3* Vec3Combine(Vec3* out, const Vec3& v, const Vec3& X, const Vec3& Y, const Vec3& Z) {
  return Vec3Set(out, v.x * X.x + v.y * Y.x + v.z * Z.x, v.x * X.y + v.y * Y.y + v.z * Z.y,
                 v.x * X.z + v.y * Y.z + v.z * Z.z);
}

/// out = (r sin p cos a, r sin p sin a, r cos p) for s = {r, polar p, azimuth a} in radians.
/// Requires: out is not s.
inline Vec3* Vec3FromPolar(Vec3* out, const Vec3& s) {
  const double r = s.x;
  const double polar = s.y;
  const double azimuth = s.z;
  return Vec3Set(out, r * std::sin(polar) * std::cos(azimuth), r * std::sin(polar) * std::sin(azimuth),
                 r * std::cos(polar));
}

}  // namespace plant
