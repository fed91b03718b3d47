#include "render/camera.h"

Camera::Camera(Vector3 eye, Vector3 target, Vector3 upHint, float nearDistance, float farDistance,
               float halfWidth, float halfHeight)
    : eye_(eye),
      target_(target),
      upHint_(upHint),
      near_(nearDistance),
      far_(farDistance),
      halfHeight_(halfHeight),
      halfWidth_(halfWidth) {
  Rebase();
}

Camera::Camera(const Camera& other) { *this = other; }

Camera& Camera::operator=(const Camera& other) {
  if (&other == this) return *this;
  eye_ = other.eye_;
  target_ = other.target_;
  upHint_ = other.upHint_;
  near_ = other.near_;
  far_ = other.far_;
  halfHeight_ = other.halfHeight_;
  halfWidth_ = other.halfWidth_;
  Rebase();
  return *this;
}

void Camera::Rebase() {
  forward_ = Normalise(target_ - eye_);
  side_ = Normalise(Cross(upHint_, forward_));
  up_ = Normalise(Cross(forward_, side_));
  clipVolume_.reset();
  viewMatrix_.reset();
  projectionMatrix_.reset();
}
void Camera::SetEye(Vector3 eye) { Change(eye_, eye); }
void Camera::SetTarget(Vector3 target) { Change(target_, target); }
void Camera::SetUp(Vector3 upHint) { Change(upHint_, upHint); }
void Camera::SetNear(float nearDistance) { Change(near_, nearDistance); }
void Camera::SetFar(float farDistance) { Change(far_, farDistance); }
void Camera::SetHalfHeight(float halfHeight) { Change(halfHeight_, halfHeight); }
void Camera::SetHalfWidth(float halfWidth) { Change(halfWidth_, halfWidth); }

// Rows side, up, −forward: the left-handed world becomes GL's right-handed
// eye space looking down −z, a mirror, hence clockwise front faces.
const Matrix44& Camera::ViewMatrix() {
  if (!viewMatrix_) {
    const Vector3 back = -forward_;
    const float rows[4][4] = {{side_.x, side_.y, side_.z, 0.0f},
                              {up_.x, up_.y, up_.z, 0.0f},
                              {back.x, back.y, back.z, 0.0f},
                              {0.0f, 0.0f, 0.0f, 1.0f}};
    Matrix44 rotation;
    rotation.FromRows(rows);
    viewMatrix_ = std::make_unique<Matrix44>(Multiply(rotation, Matrix44{}.Translation(-eye_.x, -eye_.y, -eye_.z)));
  }
  return *viewMatrix_;
}

const Matrix44& Camera::ProjectionMatrix() {
  if (!projectionMatrix_) {
    auto projection = std::make_unique<Matrix44>();
    projection->Scale(0.0f);
    projection->m[0] = near_ / halfWidth_;
    projection->m[5] = near_ / halfHeight_;
    projection->m[10] = -(far_ + near_) / (far_ - near_);
    projection->m[11] = -1.0f;
    projection->m[14] = -2.0f * far_ * near_ / (far_ - near_);
    projectionMatrix_ = std::move(projection);
  }
  return *projectionMatrix_;
}

const ClipVolume& Camera::Frustum() {
  if (!clipVolume_) {
    const Vector3 nearCentre = eye_ + forward_ * near_;
    const Vector3 farCentre = eye_ + forward_ * far_;
    const Vector3 across = side_ * halfWidth_, upward = up_ * halfHeight_;
    const Vector3 topRight = nearCentre + across + upward, bottomRight = nearCentre + across - upward;
    const Vector3 topLeft = nearCentre - across + upward, bottomLeft = nearCentre - across - upward;
    auto volume = std::make_unique<ClipVolume>();
    volume->AddPlane(Plane3d(forward_, nearCentre));
    volume->AddPlane(Plane3d(-forward_, farCentre));
    volume->AddPlane(Plane3d(eye_, bottomRight, topRight));
    volume->AddPlane(Plane3d(eye_, topLeft, bottomLeft));
    volume->AddPlane(Plane3d(eye_, topRight, topLeft));
    volume->AddPlane(Plane3d(eye_, bottomLeft, bottomRight));
    clipVolume_ = std::move(volume);
  }
  return *clipVolume_;
}

Camera Camera::Transformed(const Matrix44& matrix) const {
  return Camera(matrix.TransformPoint(eye_), matrix.TransformPoint(target_), matrix.TransformDirection(upHint_),
                near_, far_, halfWidth_, halfHeight_);
}
