#include "lightwave/texture_projection.h"

#include <cmath>

#include "lightwave/lw_error.h"

namespace LW {
namespace {

constexpr double kPi = 3.14159265359;
constexpr double kHalfPi = 1.570796326795;

enum Axis : int { kAxisX = 1, kAxisY = 2, kAxisZ = 3 };

kst::TexCoord planar(Vector3 q, Vector3 size, int axis) {
  const float u = (axis == kAxisX ? q.z / size.z : q.x / size.x) + 0.5f;
  const float v = 0.5f - (axis == kAxisY ? q.z / size.z : q.y / size.y);
  return {u, v};
}

kst::TexCoord cylindrical(Vector3 q, Vector3 size, int axis) {
  const float h = axis == kAxisX ? Heading(q.z, -q.y) : axis == kAxisY ? Heading(-q.x, q.z) : Heading(-q.x, -q.y);
  const float along = axis == kAxisX ? q.x / size.x : axis == kAxisY ? q.y / size.y : q.z / size.z;
  return {static_cast<float>(1.0 - h / (2.0 * kPi)), 0.5f - along};
}

kst::TexCoord spherical(Vector3 q, int axis) {
  float h = 0.0f, p = 0.0f;
  if (axis == kAxisX) h = Heading(q.z, -q.y), p = Pitch(q.z, q.x, -q.y);
  if (axis == kAxisY) h = Heading(-q.x, q.z), p = Pitch(-q.x, q.y, q.z);
  if (axis == kAxisZ) h = Heading(-q.x, -q.y), p = Pitch(-q.x, q.z, -q.y);
  return {static_cast<float>(1.0 - h / (2.0 * kPi)), static_cast<float>(0.5 - p / kPi)};
}

int cubicAxis(Vector3 n) {
  const float x = std::fabs(n.x), y = std::fabs(n.y), z = std::fabs(n.z);
  if (x < z) return z > y ? kAxisZ : kAxisY;
  return x > y ? kAxisX : kAxisY;
}

kst::TexCoord fromUVMap(const TextureLayer& layer, const Object& object, int point, int triangle) {
  if (layer.uvMapName.empty()) Fatal("VMAP name is empty !!");
  auto found = object.uvMaps.find(layer.uvMapName);
  if (found == object.uvMaps.end()) Fatal("Unknown VMAP : '%s' !", layer.uvMapName.c_str());
  const UV* uv = found->second.find(static_cast<std::uint32_t>(object.triangleSource[triangle]),
                                    static_cast<std::uint32_t>(point));
  if (uv == nullptr) return {0.0f, 1.0f};  // a point added after the map: (0, 0) flipped
  return {(*uv)[0], 1.0f - (*uv)[1]};
}

float wrapped(float value, float count) { return count != 1.0f ? (value - std::floor(value)) * count : value; }

}  // namespace

float Heading(float a, float b) {
  if (a == 0.0f && b == 0.0f) return 0.0f;
  if (b == 0.0f) return static_cast<float>(a < 0.0f ? kHalfPi : -kHalfPi);
  if (b < 0.0f) return static_cast<float>(kPi - std::atan(a / b));
  return -std::atan(a / b);
}

float Pitch(float a, float y, float b) {
  if (a == 0.0f && b == 0.0f) return y == 0.0f ? 0.0f : static_cast<float>(y < 0.0f ? -kHalfPi : kHalfPi);
  return std::atan(y / std::sqrt(a * a + b * b));
}

LayerProjection::LayerProjection(const TextureLayer& layer)
    : layer_(layer),
      rotation_(Multiply(Multiply(Matrix44{}.RotationY(layer.rotation.y), Matrix44{}.RotationX(layer.rotation.x)),
                         Matrix44{}.RotationZ(layer.rotation.z))) {}

kst::TexCoord LayerProjection::operator()(const Object& object, int point, int triangle, Vector3 normal) const {
  const TextureLayer& layer = layer_;
  if (layer.projection == kUV) return fromUVMap(layer, object, point, triangle);
  const Vector3 q = rotation_.TransformPoint(object.points[point] - layer.center);
  switch (layer.projection) {
    case kPlanar: return planar(q, layer.size, layer.axis);
    case kCubic: return planar(q, layer.size, cubicAxis(normal));
    case kCylindrical: {
      const kst::TexCoord uv = cylindrical(q, layer.size, layer.axis);
      return {wrapped(uv.u, layer.wrapCountWidth), uv.v};
    }
    case kSpherical: {
      const kst::TexCoord uv = spherical(q, layer.axis);
      return {wrapped(uv.u, layer.wrapCountWidth), wrapped(uv.v, layer.wrapCountHeight)};
    }
    default: Fatal("Unknown mapping type!!");
  }
}

}  // namespace LW
