#pragma once
// A box turned into place: what an axis-aligned box of model space becomes
// under a node's matrix. Culling asks the clip volume about its eight
// corners; a node's world bounds are the axis-aligned box around them.
#include <array>

#include "persist/stored_values.h"
#include "render/matrix44.h"
#include "render/vector3.h"

struct OrientedBox {
  // Columns are the box's own axes in world space (unit length unless the
  // matrix scales), stored column by column.
  std::array<float, 9> rotation{1, 0, 0, 0, 1, 0, 0, 0, 1};
  Vector3 halfExtents;
  Vector3 centre;
  bool empty = true;

  // The box `box` of model space moved by `matrix`; empty stays empty.
  static OrientedBox FromBox(const persist::BoundingBox& box, const Matrix44& matrix);

  std::array<Vector3, 8> Corners() const;
  // How far the corners reach from the centre along `direction` (not
  // normalised): the largest |direction · (corner − centre)|. With it a
  // plane test or a depth needs no corners.
  float Reach(Vector3 direction) const;
  // The axis-aligned box around the corners; empty when this box is.
  persist::BoundingBox Enclosing() const;
};
