#pragma once
// LightWave's projection mappings: the (u, v) of one triangle corner from a
// texture layer's projection, axis, size, centre and rotation.
#include "lightwave/lw_object.h"
#include "render/matrix44.h"
#include "render/mesh_channel.h"

namespace LW {

// Heading of the direction (a, b) about the projection axis, LightWave's way.
float Heading(float a, float b);
// Pitch of (a, y, b) above the plane of a and b.
float Pitch(float a, float y, float b);

// One layer's projection, with its rotation built once for every corner.
class LayerProjection {
 public:
  explicit LayerProjection(const TextureLayer& layer);

  // The layer's coordinates for point `point` of triangle `triangle`, whose
  // face normal is `normal`. Fails the load for a UV layer without a usable
  // map and for an unknown projection.
  kst::TexCoord operator()(const Object& object, int point, int triangle, Vector3 normal) const;

 private:
  const TextureLayer& layer_;
  Matrix44 rotation_;
};

inline kst::TexCoord GenerateTexCoord(const TextureLayer& layer, const Object& object, int point, int triangle,
                                      Vector3 normal) {
  return LayerProjection(layer)(object, point, triangle, normal);
}

}  // namespace LW
