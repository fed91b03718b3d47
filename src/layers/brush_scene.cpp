#include "layers/mesh_framing.h"
#include "layers/scene_layers.h"
#include "platform/data_files.h"
#include "render/gl_state_cache.h"
#include "render/gl_table.h"
#include "scene/scene.h"
#include "stocks/scene_stock.h"

namespace kst {

namespace {

bool HasCamera(const Scene& scene, std::int32_t index) {
  return index >= 0 && static_cast<std::size_t>(index) < scene.cameras.size();
}

}  // namespace

void BrushScene::Draw(float localTime) {
  if (!visible) return;
  BrushParameters values{};
  EvaluateParameters(localTime, values);
  // A scene still loading in the background is waited for here, at most
  // the stock's limit; it draws from the frame it is there.
  Scene* scene = theSceneStock().waitForScene(sceneName.c_str());
  if (scene == nullptr) {
    warning_.once("** Warning: scene \"%s\" could not be had from the scene stock: its layer draws nothing\n",
                  platform::shownName(sceneName).c_str());
    return;
  }
  if (!HasCamera(*scene, cameraIndex)) {
    warning_.once("** Warning: scene \"%s\" has no camera %d: its layer draws nothing\n",
                  platform::shownName(sceneName).c_str(),
                  static_cast<int>(cameraIndex));
    return;
  }
  // The parameters give the left edge and the top edge, measured down from
  // the top of the frame.
  SetPictureViewport(values[kX], 1 - values[kY] - values[kHeight], values[kWidth], values[kHeight]);
  if (stencilFunction != GL_ALWAYS) {
    gl.glEnable(GL_STENCIL_TEST);
    gl.glStencilFunc(stencilFunction, stencilReference, stencilMask);
    gl.glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
  }
  ResetViewportDepth(fillBackground ? scene->backgroundColor.data() : nullptr);
  UseFrameFaceAndDepthState();
  scene->setPendingCamera(cameraIndex);
  scene->update(localTime);
  scene->render();
  // The scene draws with counter-clockwise fronts and leaves the texture
  // units of its last surface on; every later layer of the frame expects
  // clockwise fronts and untextured drawing.
  gl.glFrontFace(GL_CW);
  glStateCache.SetTextureMask(0);
  gl.glDisable(GL_STENCIL_TEST);
  SetWholeFrameViewport();
}

}  // namespace kst
