#include "shell/layer_resources.h"

#include "layers/bitmap_layers.h"
#include "layers/brush_ombres.h"
#include "layers/envelope_layers.h"
#include "layers/scene_layers.h"

namespace shell {

std::vector<std::string> layerResources(const kst::Brush& layer) {
  if (const auto* bitmap = dynamic_cast<const kst::TexturedBrush*>(&layer)) return {bitmap->bitmapName};
  if (const auto* scene = dynamic_cast<const kst::BrushScene*>(&layer)) return {scene->sceneName};
  if (const auto* mesh = dynamic_cast<const kst::BrushMesh*>(&layer)) return {mesh->meshName};
  if (const auto* inScene = dynamic_cast<const kst::BrushMeshInScene*>(&layer))
    return {inScene->sceneName, inScene->meshName};
  if (const auto* zoom = dynamic_cast<const kst::BrushEnvelopeZoomFactor*>(&layer)) return {zoom->sceneName};
  if (const auto* shadows = dynamic_cast<const kst::BrushOmbres*>(&layer)) {
    std::vector<std::string> names{shadows->centralMeshName};
    names.insert(names.end(), shadows->objectMeshNames.begin(), shadows->objectMeshNames.end());
    return names;
  }
  return {};
}

}  // namespace shell
