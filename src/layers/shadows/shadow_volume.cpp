#include "layers/shadows/shadow_volume.h"

#include "render/gl_state_cache.h"
#include "render/gl_table.h"

namespace kst {

void ShadowVolume::Build(const ShadowCaster& caster, Vector3 light, float extrusion) {
  const std::vector<Vector3>& positions = caster.mesh().positions().values;
  if (stamp_.size() != positions.size()) {
    stamp_.assign(positions.size(), 0);
    newIndex_.assign(positions.size(), 0);
    build_ = 0;
  }
  ++build_;
  // The silhouette's vertices in ascending order, each once: a mark per mesh
  // vertex and one pass over the marks instead of a sort.
  for (const SilhouetteEdge& edge : caster.silhouette()) stamp_[edge.first] = stamp_[edge.second] = build_;
  vertices_.clear();
  for (std::uint32_t v = 0; v < positions.size(); ++v)
    if (stamp_[v] == build_) {
      newIndex_[v] = static_cast<std::uint32_t>(vertices_.size());
      vertices_.push_back(positions[v]);
    }
  const auto u = static_cast<std::uint32_t>(vertices_.size());
  for (std::uint32_t k = 0; k < u; ++k) {
    const Vector3 v = vertices_[k];
    vertices_.push_back(v + (v - light) * extrusion);
  }
  indices_.clear();
  for (const SilhouetteEdge& edge : caster.silhouette()) {
    const std::uint32_t a = newIndex_[edge.first], b = newIndex_[edge.second];
    if (edge.orientation)
      indices_.insert(indices_.end(), {a, b, u + b, u + a});
    else
      indices_.insert(indices_.end(), {b, a, u + a, u + b});
  }
}

void ShadowVolume::DrawQuads() const {
  const auto count = static_cast<GLsizei>(indices_.size());
  if (GLCapability(GLCap::EXT_draw_range_elements))
    gl.glDrawRangeElementsEXT(GL_QUADS, 0, vertexCount() - 1, count, GL_UNSIGNED_INT, indices_.data());
  else
    gl.glDrawElements(GL_QUADS, count, GL_UNSIGNED_INT, indices_.data());
}

void ShadowVolume::DrawIntoStencil() const {
  if (indices_.empty()) return;
  gl.glCullFace(GL_FRONT);
  gl.glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
  gl.glDepthMask(GL_FALSE);
  gl.glDepthFunc(GL_LESS);
  gl.glEnable(GL_STENCIL_TEST);
  gl.glStencilMask(~0u);
  gl.glStencilFunc(GL_ALWAYS, 0, 0);
  gl.glStencilOp(GL_KEEP, GL_KEEP, GL_INCR);

  glStateCache.VertexPointer(3, GL_FLOAT, 0, vertices_.data());
  glStateCache.EnableVertexArray(true);
  const bool lock = GLCapability(GLCap::EXT_compiled_vertex_array) != 0;
  if (lock) gl.glLockArraysEXT(0, static_cast<GLsizei>(vertexCount()));
  DrawQuads();
  gl.glCullFace(GL_BACK);
  gl.glStencilOp(GL_KEEP, GL_KEEP, GL_DECR);
  DrawQuads();

  if (lock) gl.glUnlockArraysEXT();
  glStateCache.EnableVertexArray(false);
  gl.glDepthFunc(GL_LEQUAL);
  gl.glDepthMask(GL_TRUE);
  gl.glCullFace(GL_BACK);
  gl.glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  gl.glDisable(GL_STENCIL_TEST);
}

}  // namespace kst
