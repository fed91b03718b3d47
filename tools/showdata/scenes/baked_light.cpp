#include "scenes/baked_light.h"

#include <algorithm>

namespace showdata {

Colour multiply(Colour a, Colour b) { return {a.r * b.r, a.g * b.g, a.b * b.b}; }

Colour lightAt(const Lighting& lighting, Vector3 position, Vector3 normal) {
  Colour total = lighting.ambient + lighting.sky * (0.5f * (1.0f + normal.y));
  for (const DirectionalLight& light : lighting.directional)
    total = total + light.colour * std::max(0.0f, Dot(normal, light.towardLight));
  for (const PointLight& light : lighting.points) {
    const Vector3 toward = light.position - position;
    const float distance = Length(toward);
    if (distance <= 0.0f) continue;
    const float facing = std::max(0.0f, Dot(normal, toward * (1.0f / distance)));
    const float ratio = distance / light.reach;
    total = total + light.colour * (facing / (1.0f + ratio * ratio));
  }
  return total;
}

void bakeLight(SceneMesh& mesh, const Lighting& lighting, Colour albedo, const Matrix44& matrix) {
  for (SceneVertex& vertex : mesh.vertices) {
    const Colour light = lightAt(lighting, matrix.TransformPoint(vertex.position), turnedNormal(matrix, vertex.normal));
    const Colour lit = multiply(albedo, light);
    vertex.colour = {std::min(lit.r, 1.0f), std::min(lit.g, 1.0f), std::min(lit.b, 1.0f)};
  }
}

}  // namespace showdata
