#include "render/quaternion.h"

#include <cmath>

Quaternion Quaternion::FromAxisAngle(float degrees, Vector3 axis) {
  const Vector3 n = Normalise(axis);
  if (n == Vector3{}) return {};
  const float half = 0.5f * degrees * kDegreesToRadians;
  const float s = std::sin(half);
  return {n.x * s, n.y * s, n.z * s, std::cos(half)};
}

Matrix44 Quaternion::RotationMatrix() const {
  const float norm = x * x + y * y + z * z + w * w;
  Matrix44 result;
  if (norm <= 0.0f) return result;
  // 2 / |q|² folds the normalisation into the usual unit-quaternion rows.
  const float s = 2.0f / norm;
  const float xx = x * x * s, yy = y * y * s, zz = z * z * s;
  const float xy = x * y * s, xz = x * z * s, yz = y * z * s;
  const float wx = w * x * s, wy = w * y * s, wz = w * z * s;
  const float rows[4][4] = {{1.0f - yy - zz, xy - wz, xz + wy, 0.0f},
                            {xy + wz, 1.0f - xx - zz, yz - wx, 0.0f},
                            {xz - wy, yz + wx, 1.0f - xx - yy, 0.0f},
                            {0.0f, 0.0f, 0.0f, 1.0f}};
  return result.FromRows(rows);
}
