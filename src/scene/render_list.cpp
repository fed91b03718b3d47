#include "scene/render_list.h"

#include "render/camera.h"
#include "render/gl_state_cache.h"
#include "render/gl_table.h"
#include "scene/surfaces/surface.h"

namespace {

// The scene's frame state: back faces culled, counter-clockwise front faces
// (the meshes' own winding), depth test with equal depths passing so that
// later passes over the same triangles land.
void setFrameState() {
  gl.glEnable(GL_CULL_FACE);
  gl.glCullFace(GL_BACK);
  glStateCache.cullFace = true;
  glStateCache.cullFaceMode = GL_BACK;
  gl.glFrontFace(GL_CCW);
  gl.glEnable(GL_DEPTH_TEST);
  gl.glDepthFunc(GL_LEQUAL);
}

void loadCameraMatrices(Camera& camera) {
  glStateCache.SetMatrixMode(GL_MODELVIEW);
  gl.glLoadMatrixf(camera.ViewMatrix().m);
  glStateCache.SetMatrixMode(GL_PROJECTION);
  gl.glLoadMatrixf(camera.ProjectionMatrix().m);
}

}  // namespace

// The entries were added to buckets of this same count (the view they were
// kept in counts the buckets), so each has its bucket.
void RenderList::addKept(const KeptDraws& kept) {
  for (const KeptDraws::Entry& entry : kept.entries) buckets_[entry.surfaceIndex].push_back(entry.record);
  if (keeping_ != nullptr) keeping_->entries.insert(keeping_->entries.end(), kept.entries.begin(), kept.entries.end());
}

void RenderList::draw(Camera& camera, std::span<Surface* const> surfaces, std::int32_t extraFlags) {
  setFrameState();
  loadCameraMatrices(camera);
  for (const std::uint32_t index : order(surfaces)) {
    if (index >= buckets_.size()) continue;
    std::vector<DrawRecord>& bucket = buckets_[index];
    if (bucket.empty()) continue;
    if (surfaces[index] != nullptr) surfaces[index]->render(bucket, extraFlags);
    bucket.clear();  // keeps its room for the next frame
  }
}
