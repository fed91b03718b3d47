#include "layers/envelope_layers.h"
#include "platform/data_files.h"
#include "render/camera.h"
#include "scene/scene.h"
#include "stocks/scene_stock.h"

namespace kst {

void BrushEnvelopeZoomFactor::Draw(float localTime) {
  Scene* scene = theSceneStock().loadedScene(sceneName.c_str());
  if (scene == nullptr) return;
  if (cameraIndex < 0 || static_cast<std::size_t>(cameraIndex) >= scene->cameras.size()) {
    warning_.once("** Warning: scene \"%s\" has no camera %d: its zoom layer does nothing\n",
                  platform::shownName(sceneName).c_str(),
                  static_cast<int>(cameraIndex));
    return;
  }
  // Setting the near distance drops the camera's cached projection and
  // frustum, so a scene layer drawn later in this frame uses the new zoom.
  scene->cameras[static_cast<std::size_t>(cameraIndex)]->SetNear(evaluateEnvelope(zoom, localTime));
}

}  // namespace kst
