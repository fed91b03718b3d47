#pragma once
// The shadow volume of one caster for one light: every silhouette edge
// becomes a quad from the edge to its copy pushed far away from the light.
// Drawn twice into the stencil buffer (depth-pass counting): front faces
// add one where they pass the depth test, back faces take one away, so a
// pixel whose count stays above zero lies inside a shadow.
//
// Rebuilt every frame; the arrays keep their capacity between builds.
#include <cstdint>
#include <vector>

#include "layers/shadows/shadow_caster.h"
#include "render/vector3.h"

namespace kst {

class ShadowVolume {
 public:
  // How far beyond the caster the volume reaches, as a multiple of each
  // vertex's distance from the light.
  static constexpr float kExtrusion = 200.0f;

  void Build(const ShadowCaster& caster, Vector3 light, float extrusion = kExtrusion);
  // Counts the volume into the stencil buffer under the current matrices,
  // then leaves the frame's depth, colour, culling and stencil state as it
  // found them (stencil test off).
  void DrawIntoStencil() const;

  std::uint32_t vertexCount() const { return static_cast<std::uint32_t>(vertices_.size()); }
  std::uint32_t quadCount() const { return static_cast<std::uint32_t>(indices_.size() / 4); }
  const std::vector<Vector3>& vertices() const { return vertices_; }
  const std::vector<std::uint32_t>& indices() const { return indices_; }

 private:
  void DrawQuads() const;

  std::vector<Vector3> vertices_;        // the silhouette's vertices, then their pushed copies
  std::vector<std::uint32_t> indices_;   // four per quad
  std::vector<std::uint32_t> newIndex_;  // per mesh vertex, valid where stamp_ matches
  std::vector<std::uint32_t> stamp_;
  std::uint32_t build_ = 0;
};

}  // namespace kst
