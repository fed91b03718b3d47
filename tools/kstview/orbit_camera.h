#pragma once
// kstview's free camera: it circles a point, as a scene author turns a model
// in the hand. Knows nothing of windows or GL.
//
// In the scene's left-handed world (x right, y up, z into the picture), the
// eye sits `distance` from `target`: at yaw 0 and pitch 0 on the target's -z
// side, looking along +z; pitch raises it above the target (up to 89
// degrees either way, where the up axis still gives a direction); yaw turns
// it about the vertical, yaw 90 putting it on the -x side. Dragging turns
// the scene with the pointer: right turns the eye to the left (yaw grows),
// down raises it (pitch grows). Panning moves the scene with the pointer in
// the view's plane through the target; each wheel click away from the user
// brings the eye 10% closer.
#include "persist/stored_values.h"
#include "render/camera.h"
#include "render/vector3.h"

namespace kstview {

class OrbitCamera {
 public:
  static constexpr float kDegreesPerPixel = 0.5f;
  static constexpr float kZoomPerClick = 0.9f;
  static constexpr float kMaxPitch = 89.0f;
  static constexpr float kFieldOfView = 60.0f;  // vertical, degrees

  // Looks at the middle of `box` from yaw 30 and pitch 20, far enough for
  // the box's enclosing sphere to fill the view's height, yet no farther
  // than `sight` where that is above 0 (fog hides what lies beyond); an
  // empty box stands for a unit sphere at the origin. The camera's depth
  // range holds `around` (everything drawn; `box` when empty) wherever the
  // eye goes.
  void frame(const persist::BoundingBox& box, float sight = 0.0f, const persist::BoundingBox& around = {});
  // The distance the last frame() chose.
  float framedDistance() const { return framedDistance_; }
  // Yaw, pitch (clamped) and distance (above zero) as given; the target
  // and the scene's size stay.
  void place(float yaw, float pitch, float distance);

  void drag(int dx, int dy);
  // The scene under the pointer follows it, in a view `viewHeight` pixels
  // high.
  void pan(int dx, int dy, int viewHeight);
  void wheel(int clicks);

  Vector3 eye() const;
  Vector3 target() const { return target_; }
  float yaw() const { return yaw_; }
  float pitch() const { return pitch_; }
  float distance() const { return distance_; }

  // Eye, target and up (0, 1, 0); the near and far distances enclose the
  // sphere round everything drawn wherever the eye is; the view's width is `aspect` times
  // its height.
  Camera camera(float aspect) const;

 private:
  Vector3 forward() const;

  Vector3 centre_;  // of the sphere the depth range holds
  float radius_ = 1.0f;
  Vector3 target_;
  float yaw_ = 0.0f;
  float pitch_ = 0.0f;
  float distance_ = 1.0f;
  float framedDistance_ = 1.0f;
};

}  // namespace kstview
