#include "render/oriented_box.h"

#include <cmath>

OrientedBox OrientedBox::FromBox(const persist::BoundingBox& box, const Matrix44& matrix) {
  OrientedBox result;
  if (box.empty) return result;
  result.empty = false;
  const Vector3 min{box.min[0], box.min[1], box.min[2]};
  const Vector3 max{box.max[0], box.max[1], box.max[2]};
  result.centre = matrix.TransformPoint((min + max) * 0.5f);
  const Vector3 half = (max - min) * 0.5f;
  // Each axis keeps the matrix's scale in its length, so the half extents
  // stay those of model space and the corners land where the matrix puts them.
  for (int axis = 0; axis < 3; ++axis) {
    for (int row = 0; row < 3; ++row) result.rotation[3 * axis + row] = matrix.at(row, axis);
    result.halfExtents[axis] = half[axis];
  }
  return result;
}

std::array<Vector3, 8> OrientedBox::Corners() const {
  std::array<Vector3, 8> corners;
  const Vector3 axes[3] = {{rotation[0], rotation[1], rotation[2]},
                           {rotation[3], rotation[4], rotation[5]},
                           {rotation[6], rotation[7], rotation[8]}};
  for (int i = 0; i < 8; ++i) {
    Vector3 corner = centre;
    for (int axis = 0; axis < 3; ++axis) {
      const float sign = (i >> axis) & 1 ? 1.0f : -1.0f;
      corner += axes[axis] * (sign * halfExtents[axis]);
    }
    corners[i] = corner;
  }
  return corners;
}

float OrientedBox::Reach(Vector3 direction) const {
  float reach = 0.0f;
  for (int axis = 0; axis < 3; ++axis) {
    const Vector3 column{rotation[3 * axis], rotation[3 * axis + 1], rotation[3 * axis + 2]};
    reach += std::fabs(Dot(direction, column)) * halfExtents[axis];
  }
  return reach;
}

// The corners reach, along each world axis, as far from the centre as the
// box's three axes do together: no need to make the corners.
persist::BoundingBox OrientedBox::Enclosing() const {
  persist::BoundingBox box;
  if (empty) return box;
  box.empty = false;
  for (int world = 0; world < 3; ++world) {
    float reach = 0.0f;
    for (int axis = 0; axis < 3; ++axis) reach += std::fabs(rotation[3 * axis + world] * halfExtents[axis]);
    box.min[world] = centre[world] - reach;
    box.max[world] = centre[world] + reach;
  }
  return box;
}
