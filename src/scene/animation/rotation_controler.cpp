#include "scene/animation/rotation_controler.h"

#include <cmath>

#include "persist/persistent_store.h"

Matrix44 TransformNode::RotationControler::matrix(float) const { return Matrix44{}; }

void EulerAnglesRotationControler::serialize(persistent_store& store, bool writing) {
  store.exchangeOwned(writing, angles);
}

// RotationY(a.y) · RotationX(a.x) · RotationZ(a.z) written out: every
// transform node of an animated scene builds one per frame.
Matrix44 EulerAnglesRotationControler::matrix(float time) const {
  if (angles == nullptr) return Matrix44{};
  const Vector3 a = angles->evaluate(time) * kDegreesToRadians;
  const float cx = std::cos(a.x), sx = std::sin(a.x);
  const float cy = std::cos(a.y), sy = std::sin(a.y);
  const float cz = std::cos(a.z), sz = std::sin(a.z);
  // RotationY · RotationX, row by row.
  const float yx[3][3] = {{cy, -sy * sx, -sy * cx}, {0.0f, cx, -sx}, {sy, cy * sx, cy * cx}};
  Matrix44 result;
  for (int r = 0; r < 3; ++r) {
    result.at(r, 0) = yx[r][0] * cz - yx[r][1] * sz;
    result.at(r, 1) = yx[r][0] * sz + yx[r][1] * cz;
    result.at(r, 2) = yx[r][2];
  }
  return result;
}

void QuaternionRotationControler::serialize(persistent_store& store, bool writing) {
  for (float* part : {&orientation.x, &orientation.y, &orientation.z, &orientation.w}) store.exchange(writing, *part);
}
