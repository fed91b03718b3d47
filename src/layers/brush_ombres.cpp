#include "layers/brush_ombres.h"

#include "base/log.h"
#include "layers/mesh_framing.h"
#include "layers/shadows/shadow_scene.h"
#include "platform/data_files.h"
#include "render/camera.h"
#include "render/gl_state_cache.h"
#include "render/gl_table.h"
#include "scene/mesh/mesh_primitive.h"
#include "stocks/mesh_stock.h"

namespace kst {

namespace {

// The mesh is drawable when the stock still holds the one its caster was
// made from: an unloaded mesh must not be drawn through a stale pointer,
// even when a new mesh of that name took its address.
bool present(const ShadowMesh& entry) {
  const MeshPrimitive* held = entry.mesh != nullptr ? theMeshStock().get(entry.name.c_str()) : nullptr;
  return held == entry.mesh && held != nullptr && held->serial == entry.serial;
}

void multiplyModelview(const Matrix44& matrix) {
  glStateCache.SetMatrixMode(GL_MODELVIEW);
  gl.glPushMatrix();
  gl.glMultMatrixf(matrix.m);
}

void popModelview() {
  glStateCache.SetMatrixMode(GL_MODELVIEW);
  gl.glPopMatrix();
}

// One mesh with its volume or its materials under `toWorld`.
struct Placed {
  ShadowMesh* entry;
  const Matrix44* toWorld;
  const Matrix44* fromWorld;
  Material* litMaterial;
};

// The unlit pass draws everything with the base materials; the lit pass
// gives each object its own material where it drew one.
void drawPlaced(std::span<const Placed> placed, std::span<Material* const> base, Camera& camera, bool lit) {
  for (const Placed& item : placed) {
    multiplyModelview(*item.toWorld);
    Material* const own[1] = {item.litMaterial};
    DrawChunks(*item.entry->mesh, lit && item.litMaterial != nullptr ? std::span(own) : base, camera);
    popModelview();
  }
}

}  // namespace

BrushOmbres::BrushOmbres() = default;
BrushOmbres::~BrushOmbres() = default;

void BrushOmbres::warnMissing(const std::string& mesh, const char* consequence) {
  if (!warnedMeshes_.insert(mesh).second) return;
  log("** Warning: mesh \"%s\" is not in the mesh stock: %s\n", platform::shownName(mesh).c_str(), consequence);
}

void BrushOmbres::Draw(float localTime) {
  if (scene_ == nullptr) scene_ = std::make_unique<ShadowScene>(centralMeshName, objectMeshNames, objectMaterials);
  BrushParameters values{};
  EvaluateParameters(localTime, values);
  ShadowScene& scene = *scene_;
  const bool centralThere = present(scene.central);
  if (!centralThere) warnMissing(scene.central.name, "the shadow layer draws nothing");
  for (const ShadowMesh& entry : scene.objectMeshes)
    if (!present(entry)) warnMissing(entry.name, "the shadow layer's objects made of it are left out");
  const float r = centralThere ? FramingRadius(scene.central.mesh->box) : 0.0f;
  if (r <= 0.0f) return;

  // The passes below count on the frame's culling and depth test, whatever
  // the layers before left (a backdrop leaves GL_LESS).
  UseFrameFaceAndDepthState();
  SetCentredViewport(values[kX], values[kY], values[kWidth], values[kHeight]);
  Camera camera({0, r, 3 * r}, {0, 0, 0}, {0, 1, 0}, r, 5 * r, r / 2, r / 2);
  glStateCache.SetMatrixMode(GL_PROJECTION);
  gl.glLoadMatrixf(camera.ProjectionMatrix().m);
  glStateCache.SetMatrixMode(GL_MODELVIEW);
  gl.glLoadMatrixf(camera.ViewMatrix().m);
  scene.animate(localTime);

  std::vector<Placed> placed{{&scene.central, &scene.world, &scene.fromWorld, nullptr}};
  for (int k = 0; k < ShadowScene::visibleObjects(localTime); ++k) {
    OrbitingObject& object = scene.objects[k];
    if (object.mesh < 0 || !present(scene.objectMeshes[object.mesh])) continue;
    placed.push_back({&scene.objectMeshes[object.mesh], &object.toWorld, &object.fromWorld, object.litMaterial});
  }
  drawPlaced(placed, baseMaterials, camera, false);
  const Vector3 light{r, r, 5 * r};
  for (const Placed& item : placed) {
    ShadowCaster& caster = *item.entry->caster;
    const Vector3 local = item.fromWorld->TransformPoint(light);
    caster.ComputeSilhouette(local);
    scene.volume.Build(caster, local);
    multiplyModelview(*item.toWorld);
    scene.volume.DrawIntoStencil();
    popModelview();
  }
  gl.glEnable(GL_STENCIL_TEST);
  gl.glStencilFunc(GL_EQUAL, 0, ~0u);
  gl.glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
  gl.glEnable(GL_LIGHT0);
  const float lightPosition[4] = {r, r, 3 * r, 1};
  gl.glLightfv(GL_LIGHT0, GL_POSITION, lightPosition);
  drawPlaced(placed, baseMaterials, camera, true);
  gl.glDisable(GL_LIGHT0);
  gl.glDisable(GL_STENCIL_TEST);
  SetWholeFrameViewport();
}

}  // namespace kst
