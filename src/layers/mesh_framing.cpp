#include "layers/mesh_framing.h"

#include <algorithm>
#include <cmath>
#include <tuple>

#include "persist/stored_values.h"
#include "render/gl_state_cache.h"
#include "render/gl_table.h"
#include "render/materials/material.h"
#include "scene/mesh/mesh_primitive.h"

namespace kst {

float FramingRadius(const persist::BoundingBox& box) {
  if (box.empty) return 0.0f;
  const auto corner = [](const persist::Vec3& v) {
    return std::make_tuple(std::fabs(v[0]), std::fabs(v[1]), std::fabs(v[2]));
  };
  const auto low = corner(box.min);
  const auto high = corner(box.max);
  const auto& used = high < low ? low : high;
  return std::max({std::get<0>(used), std::get<1>(used), std::get<2>(used)});
}

void SetPictureViewport(float left, float bottom, float width, float height) {
  const PixelRect picture = FramePicture();
  const auto w = static_cast<float>(picture.width), h = static_cast<float>(picture.height);
  gl.glViewport(picture.x + static_cast<GLint>(w * left), picture.y + static_cast<GLint>(h * bottom),
                static_cast<GLsizei>(w * width), static_cast<GLsizei>(h * height));
}

void SetCentredViewport(float x, float y, float width, float height) {
  SetPictureViewport((x + 1) / 2 - width / 2, (y + 1) / 2 - height / 2, width, height);
}

void SetWholeFrameViewport() {
  const PixelRect picture = FramePicture();
  gl.glViewport(picture.x, picture.y, picture.width, picture.height);
}

void ResetViewportDepth(const float* colour) {
  UseScreenCoordinates();
  if (colour == nullptr) gl.glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
  gl.glDepthFunc(GL_ALWAYS);
  if (colour != nullptr) gl.glColor4f(colour[0], colour[1], colour[2], colour[3]);
  glStateCache.SetTextureMask(0);
  gl.glBegin(GL_QUADS);
  gl.glVertex3f(-1, -1, 1);
  gl.glVertex3f(-1, 1, 1);
  gl.glVertex3f(1, 1, 1);
  gl.glVertex3f(1, -1, 1);
  gl.glEnd();
  gl.glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
}

void UseFrameFaceAndDepthState() {
  // Through the cache's own fields: surfaces switch culling by what it holds.
  gl.glEnable(GL_CULL_FACE);
  glStateCache.cullFace = true;
  gl.glCullFace(GL_BACK);
  glStateCache.cullFaceMode = GL_BACK;
  gl.glFrontFace(GL_CW);
  gl.glEnable(GL_DEPTH_TEST);
  gl.glDepthFunc(GL_LEQUAL);
}

void DrawChunks(MeshPrimitive& mesh, std::span<Material* const> materials, Camera& camera) {
  if (materials.empty()) return;
  for (const MeshPrimitive::Chunk& chunk : mesh.chunks) {
    const std::uint32_t surface =
        chunk.subMesh < mesh.surfaceIndices.size() ? mesh.surfaceIndices[chunk.subMesh] : chunk.subMesh;
    Material* material = materials[surface % materials.size()];
    if (material != nullptr && chunk.geometry) material->Render(camera, *chunk.geometry);
  }
}

}  // namespace kst
