#include "render/materials/mat_volumetric.h"

#include <algorithm>

#include "render/camera.h"
#include "render/gl_state_cache.h"
#include "render/gl_table.h"
#include "render/materials/chunk_arrays.h"
#include "render/materials/chunk_geometry.h"

namespace kst {
namespace {

using BlendEquation = decltype(gl.glBlendEquation);

// GL_ARB_imaging's entry point, else the EXT one (which comes with
// GL_EXT_blend_minmax; GL_EXT_blend_subtract brings only the subtracting
// modes); null when the subtracting equation cannot be had.
BlendEquation blendEquation() {
  if (GLCapability(GLCap::ARB_imaging) != 0) return gl.glBlendEquation;
  if (GLCapability(GLCap::EXT_blend_subtract) != 0 && GLCapability(GLCap::EXT_blend_minmax) != 0)
    return gl.glBlendEquationEXT;
  return nullptr;
}

// The eye depth of a point: the fourth row of projection · view.
float eyeDepth(const Matrix44& m, Vector3 v) { return m.m[3] * v.x + m.m[7] * v.y + m.m[11] * v.z + m.m[15]; }

void beginState(const std::vector<Rgba>& factors) {
  gl.glEnable(GL_CULL_FACE);
  gl.glFrontFace(GL_CW);
  gl.glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_TRUE);
  gl.glDepthMask(GL_FALSE);
  gl.glColorPointer(4, GL_UNSIGNED_BYTE, 0, factors.data());
  gl.glEnableClientState(GL_COLOR_ARRAY);
}

void drawSide(const ChunkGeometry& chunk, GLenum culled) {
  gl.glCullFace(culled);
  chunk.DrawSubMesh();
}

void stencilPass(GLenum function, GLuint mask, GLenum fail, GLenum depthFail, GLenum pass) {
  gl.glStencilFunc(function, 0, mask);
  gl.glStencilOp(fail, depthFail, pass);
}

}  // namespace

Mat_Volumetric::DepthRange Mat_Volumetric::computeFactors(Camera& camera, const ChunkArrays& arrays) {
  const Matrix44 m = Multiply(camera.ProjectionMatrix(), camera.ViewMatrix());
  const std::size_t count = arrays.positions.size();
  DepthRange range;
  for (const Vector3& v : arrays.positions) {
    const float w = eyeDepth(m, v);
    if (w < range.min) range.min = w;
    if (w > range.max) range.max = w;
  }
  // All vertices at one depth: no thickness anywhere, every factor 0.
  const float span = range.max - range.min;
  const float scale = span > 0.0f ? 1.0f / span : 0.0f;
  const Rgba* colors = arrays.colors;
  factors_.resize(count);
  for (std::size_t i = 0; i < count; ++i) {
    float f = (eyeDepth(m, arrays.positions[i]) - range.min) * scale;
    if (colors != nullptr) f *= colors[i].a / 255.0f;
    // A position that is not a number (from a damaged object) would make
    // the conversion undefined: it counts as the near side.
    f = f > 0.0f ? std::min(f, 1.0f) : 0.0f;
    const auto byte = static_cast<std::uint8_t>(f * 255.0f);
    factors_[i] = {byte, byte, byte, byte};
  }
  return range;
}

void Mat_Volumetric::Render(Camera& camera, const ChunkGeometry& chunk) {
  const BlendEquation equation = blendEquation();
  const ChunkArrays arrays = chunk.Arrays();
  if (equation == nullptr || arrays.positions.empty()) return;
  glStateCache.SetTextureMask(0);
  const DepthRange range = computeFactors(camera, arrays);
  const float span = range.max - range.min;
  const bool inside = range.min < 0.0f;
  beginState(factors_);
  {
    const ChunkVertexArray vertices(arrays);
    if (inside) {
      gl.glEnable(GL_STENCIL_TEST);
      gl.glStencilMask(~0u);
      stencilPass(GL_ALWAYS, 0, GL_KEEP, GL_KEEP, GL_ZERO);
    }
    // Far side: destination alpha = far factor (the stencil cleared there).
    drawSide(chunk, GL_FRONT);
    if (inside) stencilPass(GL_ALWAYS, 0, GL_KEEP, GL_KEEP, GL_INCR);
    // Near side subtracted: alpha = the normalised thickness.
    gl.glEnable(GL_BLEND);
    equation(GL_FUNC_REVERSE_SUBTRACT);
    gl.glBlendFunc(GL_ONE, GL_ONE);
    drawSide(chunk, GL_BACK);
    if (inside) {
      // Where no near face lies in front of the eye, the eye's own factor
      // takes the near side's place.
      stencilPass(GL_EQUAL, ~0u, GL_ZERO, GL_KEEP, GL_KEEP);
      gl.glDisableClientState(GL_COLOR_ARRAY);
      gl.glCullFace(GL_FRONT);
      gl.glColor4f(0.0f, 0.0f, 0.0f, span > 0.0f ? -range.min / span : 0.0f);
      chunk.DrawSubMesh();
      gl.glCullFace(GL_BACK);
      gl.glDisable(GL_STENCIL_TEST);
    }
    // Light: colour × 10 × thickness in eye units.
    gl.glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    equation(GL_FUNC_ADD);
    gl.glBlendFunc(GL_DST_ALPHA, GL_ONE);
    gl.glDisableClientState(GL_COLOR_ARRAY);
    const float k = span * 10.0f;
    gl.glColor4f(k * red, k * green, k * blue, 0.0f);
    drawSide(chunk, GL_FRONT);
    gl.glCullFace(GL_BACK);
    gl.glDepthMask(GL_TRUE);
  }
  gl.glDisable(GL_BLEND);
}

}  // namespace kst
