#pragma once
// Cameras that move: a transform node carried through stops (an eye and
// the point it looks at, at a time) on smooth curves, with a camera node
// under it looking down the node's +z. The heading and pitch that turn +z
// toward each stop's target become the node's Euler keys.
#include <vector>

#include "scenes/scene_recipe.h"

namespace showdata {

struct CameraStop {
  float time;
  Vector3 eye;
  Vector3 target;
};

// A lens: the view window at the near distance for a horizontal field of
// view, 4:3 like the show's frame.
CameraRecipe lens(float nearDistance, float farDistance, float horizontalDegrees);

// The Euler angles (x: pitch, y: heading, z: bank 0; degrees) that turn +z
// to `forward`.
Vector3 headingAndPitch(Vector3 forward);

// `behaviour` applies to every channel: constant holds the last stop,
// repeat loops the path (the last stop should then equal the first).
NodeRecipe cameraRig(const std::vector<CameraStop>& stops, const CameraRecipe& lens,
                     std::int32_t behaviour = kBehaviorConstant);

}  // namespace showdata
