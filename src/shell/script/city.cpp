// Section 6: the city through its second camera, folding away at the end;
// for the first 18 s its first camera shows through the skyline's shape at
// the lower left.
#include "layers/bitmap_layers.h"
#include "layers/scene_layers.h"
#include "shell/script/script_tools.h"
#include "shell/script/sections.h"
#include "timeline/bitmap_events.h"

namespace shell::script {
namespace {

constexpr const char* kCity = "demo\\Artifice.kst";
constexpr const char* kSkyline = "demo\\cite-alpha.png";
constexpr float kFold = -1.0f;  // continuity of the keys that fold the view away

kst::BrushScene& city() {
  kst::BrushScene& layer = sceneLayer(kCity, 1, 39.5f);
  setKeys(layer.parameters[kst::Brush::kX], {{0.0f, 0.0f}, {38.0f, 0.0f}, {38.5f, 0.5f, kFold}});
  setKeys(layer.parameters[kst::Brush::kY],
          {{0.0f, 1.0f}, {1.0f, 0.0f, kFold}, {38.0f, 0.0f, kFold}, {38.5f, 0.45f, kFold}});
  setKeys(layer.parameters[kst::Brush::kWidth], {{0.0f, 1.0f}, {38.5f, 1.0f}, {39.0f, 0.0f, kFold}});
  setKeys(layer.parameters[kst::Brush::kHeight],
          {{0.0f, 1.0f}, {38.0f, 1.0f, kFold}, {38.5f, 0.1f, kFold}, {39.0f, 0.0f, kFold}});
  layer.cameraIndex = 1;
  return layer;
}

// Marks the stencil under the skyline picture, which rises into the lower
// left corner.
kst::BrushAlphaToStencil& skyline() {
  auto& layer = newLayer<kst::BrushAlphaToStencil>(0, 18.0f);
  layer.bitmapName = kSkyline;
  setConstant(layer.parameters[kst::Brush::kX], -1.0f);
  setKeys(layer.parameters[kst::Brush::kY], {{0.0f, -2.0f}, {1.0f, -1.0f}});
  return layer;
}

// The lower-left quarter, drawn only where the skyline marked the stencil.
kst::BrushScene& throughSkyline() {
  kst::BrushScene& layer = sceneLayer(kCity, 2, 18.0f);
  setKeys(layer.parameters[kst::Brush::kY], {{0.0f, 1.5f}, {1.0f, 0.5f}});
  setConstant(layer.parameters[kst::Brush::kWidth], 0.5f);
  setConstant(layer.parameters[kst::Brush::kHeight], 0.5f);
  layer.cameraIndex = 0;
  layer.stencilFunction = GL_NOTEQUAL;
  return layer;
}

}  // namespace

void buildCity() {
  startSection(kSectionStarts[5]);
  loadScene(kCity);
  new kst::EvtUnloadBitmap(0.0f, "demo\\greetings.jpg");
  new kst::EvtUnloadBitmap(0.0f, "pupic");
  new kst::EvtLoadBitmapAlpha(0.0f, kSkyline);
  activate(0.0f, city());
  activate(0.0f, skyline());
  activate(0.0f, throughSkyline());
  new kst::EvtUnloadBitmap(39.5f, kSkyline);
}

}  // namespace shell::script
