// Surface records in scene files.
#include "persist/persistent_store.h"
#include "scene/scene.h"
#include "scene/surfaces/surface.h"

namespace {

void exchangeLayer(persistent_store& store, bool writing, Mat_LW::Layer& layer) {
  store.exchangeVarint(writing, layer.texture);
  store.exchangeVarint(writing, layer.wrapSCode);
  store.exchangeVarint(writing, layer.wrapTCode);
  store.exchangeVarint(writing, layer.magFilter);
  store.exchangeVarint(writing, layer.minFilter);
  store.exchange(writing, layer.enabled);
}

}  // namespace

void Surface::serialize(persistent_store& store, bool writing) {
  store.exchange(writing, name);
  store.exchange(writing, color);
  store.exchange(writing, diffuse);
  store.exchangeVarint(writing, sortKey);
  store.exchange(writing, cullFaces);
  auto mode = static_cast<std::int32_t>(cullMode);
  store.exchange(writing, mode);
  cullMode = static_cast<GLenum>(mode);
  store.exchangeReference(writing, scene);
}

void Mat_LW::serialize(persistent_store& store, bool writing) {
  Surface::serialize(store, writing);
  exchangeLayer(store, writing, layer1);
  exchangeLayer(store, writing, layer2);
  store.exchange(writing, useVertexColors);
  store.exchange(writing, transparency);
}
