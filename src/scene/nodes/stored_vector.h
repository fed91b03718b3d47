#pragma once
// A vector of the scene graph as three floats of a record body.
#include "persist/persistent_store.h"
#include "render/vector3.h"

inline void exchangeVector(persistent_store& store, bool writing, Vector3& vector) {
  for (int axis = 0; axis < 3; ++axis) store.exchange(writing, vector[axis]);
}
