#include "scenes/camera_paths.h"

#include <cmath>

namespace showdata {
namespace {
constexpr float kDegrees = 57.29577951f;
}

CameraRecipe lens(float nearDistance, float farDistance, float horizontalDegrees) {
  CameraRecipe camera;
  camera.nearDistance = nearDistance;
  camera.farDistance = farDistance;
  camera.halfWidth = nearDistance * std::tan(0.5f * horizontalDegrees / kDegrees);
  camera.halfHeight = camera.halfWidth * 0.75f;
  return camera;
}

Vector3 headingAndPitch(Vector3 forward) {
  const Vector3 f = Normalise(forward);
  // RotationY(h) · RotationX(p) takes +z to (-sin h cos p, -sin p, cos h cos p).
  return {-std::asin(f.y) * kDegrees, std::atan2(-f.x, f.z) * kDegrees, 0.0f};
}

NodeRecipe cameraRig(const std::vector<CameraStop>& stops, const CameraRecipe& camera, std::int32_t behaviour) {
  std::vector<std::pair<float, Vector3>> eyes, angles;
  float lastHeading = 0.0f;
  for (const CameraStop& stop : stops) {
    eyes.push_back({stop.time, stop.eye});
    Vector3 turn = headingAndPitch(stop.target - stop.eye);
    // The shortest way round from the previous heading.
    while (!angles.empty() && turn.y - lastHeading > 180.0f) turn.y -= 360.0f;
    while (!angles.empty() && turn.y - lastHeading < -180.0f) turn.y += 360.0f;
    lastHeading = turn.y;
    angles.push_back({stop.time, turn});
  }
  NodeRecipe rig = transformNode("camera rig");
  rig.positionKeys = keyedVectors(eyes, kShapeTCB, behaviour);
  rig.angleKeys = keyedVectors(angles, kShapeTCB, behaviour);
  CameraRecipe local = camera;
  local.eye = {};
  local.target = {0.0f, 0.0f, 1.0f};
  local.up = {0.0f, 1.0f, 0.0f};
  rig.add(cameraNode(local));
  return rig;
}

}  // namespace showdata
