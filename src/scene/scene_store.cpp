// The Scene record: the owned lists as records of their own, the node tree,
// then colours and fog. The scene is the first record of its file, so every
// surface's link back to it is a reference to record 0.
#include <algorithm>
#include <stdexcept>
#include <string>
#include <unordered_set>

#include "persist/object_record.h"
#include "persist/persistent_store.h"
#include "scene/mesh/primitive.h"
#include "scene/nodes/scene_node.h"
#include "scene/nodes/tree_walk.h"
#include "scene/scene.h"
#include "scene/surfaces/surface.h"
#include "scene/texture_image.h"

namespace {

// A record of another class leaves a null entry, so later indices keep
// their meaning.
template <typename Entry>
void exchangeList(persistent_store& store, bool writing, std::vector<std::unique_ptr<Entry>>& list,
                  const char* kind) {
  if (!writing) {
    const std::uint32_t count = store.readVarint();
    for (std::uint32_t i = 0; i < count; ++i) list.push_back(store.adopt<Entry>(readRecord(store)));
    return;
  }
  store.writeVarint(static_cast<std::uint32_t>(list.size()));
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (list[i] == nullptr)
      throw std::invalid_argument(std::string("a scene with no ") + kind + " in slot " + std::to_string(i) +
                                  " cannot be written: the indices after it would shift");
    writeRecord(*list[i], store);
  }
}

}  // namespace

void Scene::serialize(persistent_store& store, bool writing) {
  exchangeList(store, writing, surfaces, "surface");
  // A surface draws with the textures of the scene that owns it, whatever
  // its stored link says.
  if (!writing)
    for (const std::unique_ptr<Surface>& surface : surfaces)
      if (surface != nullptr) surface->scene = this;
  exchangeList(store, writing, textures, "texture");
  exchangeList(store, writing, meshes, "mesh");
  bool hasRoot = root != nullptr;
  store.exchange(writing, hasRoot);
  if (writing && hasRoot) writeRecord(*root, store);
  if (!writing && hasRoot) {
    root.reset();
    root = store.adopt<SceneNode>(readRecord(store));
    if (root != nullptr) root->setScene(this);
  }
  if (!writing) keepListingsOfTree();
  store.exchange(writing, auxColor);
  store.exchange(writing, backgroundColor);
  store.exchange(writing, fogEnabled);
  store.exchange(writing, fogStart);
  store.exchange(writing, fogEnd);
  store.exchange(writing, fogColor);
}

// A node read where no owner takes it (in a mesh's place, as a transform's
// part, below a record nobody adopts) lists its camera or light while it is
// read and is freed with the store after the load: only the entries of the
// nodes in the tree stay, in their order, which is the numbering the show's
// camera indices use.
void Scene::keepListingsOfTree() {
  std::unordered_set<const Camera*> treeCameras;
  std::unordered_set<const LightRecord*> treeLights;
  forEachNode(root.get(), [&](const SceneNode& node, std::size_t) {
    if (const Camera* camera = node.listedCamera()) treeCameras.insert(camera);
    if (const LightRecord* light = node.listedLight()) treeLights.insert(light);
  });
  std::erase_if(cameras, [&](const Camera* camera) { return !treeCameras.contains(camera); });
  std::erase_if(lights, [&](const LightRecord* light) { return !treeLights.contains(light); });
}
