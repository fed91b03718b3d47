#include "scene/scene.h"

#include <cstring>

#include "base/log.h"
#include "platform/data_files.h"
#include "render/camera.h"
#include "render/gl_state_cache.h"
#include "render/gl_table.h"
#include "scene/keeping_render_visitor.h"
#include "scene/mesh/primitive.h"
#include "scene/nodes/node_visitor.h"
#include "scene/nodes/scene_node.h"
#include "scene/render_list.h"
#include "scene/surfaces/surface.h"
#include "scene/texture_image.h"

namespace {

// Drawing a scene adds this to every record's flags.
constexpr std::int32_t kSceneDrawFlags = 2;

}  // namespace

Scene::Scene() = default;

Scene::~Scene() {
  surfaces.clear();
  meshes.clear();
  textures.clear();
  root.reset();
}

void Scene::addCamera(Camera* camera) { cameras.push_back(camera); }

void Scene::addLight(LightRecord* light) { lights.push_back(light); }

std::uint32_t Scene::addMesh(std::unique_ptr<Primitive> mesh) {
  meshes.push_back(std::move(mesh));
  return static_cast<std::uint32_t>(meshes.size() - 1);
}

std::uint32_t Scene::addTexture(std::unique_ptr<TextureImage> texture) {
  textures.push_back(std::move(texture));
  return static_cast<std::uint32_t>(textures.size() - 1);
}

std::uint32_t Scene::addSurface(std::unique_ptr<Surface> surface) {
  if (surface != nullptr) surface->scene = this;
  surfaces.push_back(std::move(surface));
  return static_cast<std::uint32_t>(surfaces.size() - 1);
}

void Scene::setPendingCamera(std::int32_t index) { pendingCamera = index; }

void Scene::update(float time) {
  if (root == nullptr) return;
  if (meshesChanged()) root->invalidateTree();
  root->update(time, Matrix44{});
}

bool Scene::meshesChanged() {
  bool changed = meshStamps_.size() != meshes.size();
  meshStamps_.resize(meshes.size());
  for (std::size_t i = 0; i < meshes.size(); ++i) {
    const Primitive* mesh = meshes[i].get();
    const MeshStamp stamp{mesh, mesh != nullptr ? mesh->generation() : 0,
                          mesh != nullptr ? mesh->box : persist::BoundingBox{}};
    if (stamp == meshStamps_[i]) continue;
    meshStamps_[i] = stamp;
    changed = true;
  }
  return changed;
}

bool Scene::sameView(const Camera& camera) {
  const Vector3 eye = camera.eye(), target = camera.target(), up = camera.upHint();
  const std::array<float, 14> key{
      eye.x, eye.y, eye.z, target.x, target.y, target.z, up.x, up.y, up.z,
      camera.nearDistance(), camera.farDistance(), camera.halfWidth(), camera.halfHeight(),
      static_cast<float>(surfaces.size())};
  // Bit for bit, as the camera's matrices and planes are made from them.
  if (view_ != 0 && std::memcmp(key.data(), viewKey_.data(), sizeof key) == 0) return true;
  viewKey_ = key;
  ++view_;
  return false;
}

Camera* Scene::currentCameraObject() const {
  if (currentCamera < 0 || static_cast<std::size_t>(currentCamera) >= cameras.size()) return nullptr;
  return cameras[static_cast<std::size_t>(currentCamera)];
}

Primitive* Scene::meshAt(std::int32_t index) { return entryAt(meshes, index, "mesh"); }

TextureImage* Scene::textureAt(std::int32_t index) { return entryAt(textures, index, "texture"); }

template <typename Entry>
Entry* Scene::entryAt(const std::vector<std::unique_ptr<Entry>>& list, std::int32_t index, const char* kind) {
  if (index == -1) return nullptr;
  if (index < 0 || static_cast<std::size_t>(index) >= list.size()) {
    warnOnce(kind, index, Fault::OutOfRange);
    return nullptr;
  }
  Entry* entry = list[static_cast<std::size_t>(index)].get();
  if (entry == nullptr) warnOnce(kind, index, Fault::Hole);
  return entry;
}

void Scene::warnOnce(const char* kind, std::int64_t index, Fault fault) {
  if (!warned_.emplace(kind, index).second) return;
  const char* what = fault == Fault::Hole ? "is missing (its record is of another class)" : "is out of range";
  kst::log("** Warning: scene %s: %s %lld %s; nothing that uses it is drawn", platform::shownName(source_).c_str(),
           kind, static_cast<long long>(index), what);
}

// The camera to draw through, after the switch a scene layer asked for.
Camera* Scene::renderCamera() {
  if (pendingCamera != -1) {
    currentCamera = pendingCamera;
    pendingCamera = -1;
  }
  if (root == nullptr || currentCamera == -1) return nullptr;
  Camera* camera = currentCameraObject();
  if (camera == nullptr) warnOnce("camera", currentCamera, Fault::OutOfRange);
  return camera;
}

void Scene::setUpFog() const {
  gl.glFogi(GL_FOG_MODE, GL_LINEAR);
  // Distance from the eye rather than depth along the view axis, where the
  // driver offers it: fog then does not swim as the camera turns.
  if (GLCapability(GLCap::NV_fog_distance) != 0) gl.glFogi(GL_FOG_DISTANCE_MODE_NV, GL_EYE_RADIAL_NV);
  gl.glFogf(GL_FOG_START, fogStart);
  gl.glFogf(GL_FOG_END, fogEnd);
  gl.glFogfv(GL_FOG_COLOR, fogColor.data());
  if (!glStateCache.fog) {
    gl.glEnable(GL_FOG);
    glStateCache.fog = true;
  }
}

void Scene::drawList(Camera& camera, RenderList& renderList) {
  frameSurfaces_.resize(surfaces.size());
  for (std::size_t i = 0; i < surfaces.size(); ++i) {
    frameSurfaces_[i] = surfaces[i].get();
    if (frameSurfaces_[i] == nullptr && !renderList.bucket(i).empty())
      warnOnce("surface", static_cast<std::int64_t>(i), Fault::Hole);
  }
  renderList.draw(camera, frameSurfaces_, kSceneDrawFlags);
}

void Scene::render() {
  Camera* camera = renderCamera();
  if (camera == nullptr) return;
  if (frameList_ == nullptr || frameList_->bucketCount() != surfaces.size())
    frameList_ = std::make_unique<RenderList>(surfaces.size());
  RenderList& renderList = *frameList_;
  if (meshesChanged()) root->invalidateTree();
  // Records are kept only in a view that lasts: a scene drawn through two
  // cameras in turn keeps nothing.
  const bool keep = sameView(*camera);
  try {
    KeepingRenderVisitor visitor(*camera, renderList, view_, keep);
    traverse(root.get(), visitor);
    if (fogEnabled) setUpFog();
    drawList(*camera, renderList);
  } catch (...) {
    // Cut short, the list still holds records in its buckets and may be
    // keeping into a node's kept draws, which the next update can free:
    // the next render starts from a new list.
    frameList_.reset();
    throw;
  }
  // Back to the frame's culling; fog only goes off when this scene put it on.
  if (!glStateCache.cullFace) {
    gl.glEnable(GL_CULL_FACE);
    glStateCache.cullFace = true;
  }
  if (glStateCache.cullFaceMode != GL_BACK) {
    gl.glCullFace(GL_BACK);
    glStateCache.cullFaceMode = GL_BACK;
  }
  if (fogEnabled && glStateCache.fog) {
    gl.glDisable(GL_FOG);
    glStateCache.fog = false;
  }
}
