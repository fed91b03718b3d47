#pragma once
// Eye, target and up hint in the left-handed world, a symmetric view window
// at the near distance, and the view matrix, projection matrix and frustum
// built from them on first use after a change.
#include <memory>

#include "render/convex_volume.h"
#include "render/matrix44.h"

class Camera {
 public:
  Camera() = default;
  Camera(Vector3 eye, Vector3 target, Vector3 upHint, float nearDistance, float farDistance, float halfWidth,
         float halfHeight);
  Camera(const Camera& other);
  Camera& operator=(const Camera& other);
  virtual ~Camera() = default;

  void SetEye(Vector3 eye);
  void SetTarget(Vector3 target);
  void SetUp(Vector3 upHint);
  // The near distance is also the zoom factor: the window size stays fixed.
  void SetNear(float nearDistance);
  void SetFar(float farDistance);
  void SetHalfHeight(float halfHeight);
  void SetHalfWidth(float halfWidth);

  const Matrix44& ViewMatrix();
  const Matrix44& ProjectionMatrix();
  const ClipVolume& Frustum();

  // Eye and target moved as points, the up hint as a direction.
  Camera Transformed(const Matrix44& matrix) const;

  Vector3 eye() const { return eye_; }
  Vector3 target() const { return target_; }
  Vector3 upHint() const { return upHint_; }
  float nearDistance() const { return near_; }
  float farDistance() const { return far_; }
  float halfHeight() const { return halfHeight_; }
  float halfWidth() const { return halfWidth_; }
  Vector3 forward() const { return forward_; }
  Vector3 up() const { return up_; }
  Vector3 side() const { return side_; }

 private:
  void Rebase();
  template <typename Field>
  void Change(Field& field, Field value) {
    field = value;
    Rebase();
  }

  Vector3 eye_;
  Vector3 target_;
  Vector3 upHint_;
  float near_ = 0.0f;
  float far_ = 0.0f;
  float halfHeight_ = 0.0f;
  float halfWidth_ = 0.0f;
  Vector3 forward_;
  Vector3 up_;
  Vector3 side_;
  std::unique_ptr<ClipVolume> clipVolume_;
  std::unique_ptr<Matrix44> viewMatrix_;
  std::unique_ptr<Matrix44> projectionMatrix_;
};
