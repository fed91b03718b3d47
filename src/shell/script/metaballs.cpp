// Section 5: the metaballs scene slides in from the right while its camera
// zooms in and out; a picture slides in at the lower left and the greetings
// blink in at the end.
#include "layers/bitmap_layers.h"
#include "layers/envelope_layers.h"
#include "layers/scene_layers.h"
#include "shell/script/script_tools.h"
#include "shell/script/sections.h"
#include "timeline/bitmap_events.h"
#include "timeline/scene_events.h"

namespace shell::script {
namespace {

constexpr const char* kMetaballs = "demo\\metaballs.kst";
constexpr const char* kPicture = "pupic";
constexpr const char* kGreetings = "demo\\greetings.jpg";
// Wide, then narrow, then wide again, each key with tension 1 so the zoom
// rests on it.
constexpr float kWide = 0.4753334f;
constexpr float kZoomTimes[] = {0, 2, 3, 6, 8, 11, 12, 15, 17, 19, 21, 23, 25, 32};

kst::BitmapBrush& picture() {
  auto& layer = newLayer<kst::BitmapBrush>(4, 33.0f);
  layer.bitmapName = kPicture;
  setKeys(layer.parameters[kst::Brush::kX], {{0.0f, -2.0f}, {2.0f, -1.0f}});
  setConstant(layer.parameters[kst::Brush::kY], -1.07f);
  return layer;
}

kst::BitmapBrush& greetings() {
  auto& layer = newLayer<kst::BitmapBrush>(5, 16.3f);
  layer.bitmapName = kGreetings;
  setConstant(layer.parameters[kst::Brush::kX], -0.25f);
  setConstant(layer.parameters[kst::Brush::kY], -0.75f);
  setKeys(layer.parameters[kst::Brush::kAlpha],
          {{0.0f, 0.0f}, {12.0f, 0.0f}, {12.75f, 1.0f, 0.0f, -1.0f}, {13.0f, 0.5f, 0.0f, -1.0f},
           {13.5f, 1.0f, 0.0f, -1.0f}, {15.0f, 0.0f, 0.0f, -1.0f}, {15.5f, 1.0f}, {16.3f, 0.0f, 0.0f, -1.0f}});
  return layer;
}

kst::BrushScene& metaballs() {
  kst::BrushScene& layer = sceneLayer(kMetaballs, 1, 34.0f);
  setKeys(layer.parameters[kst::Brush::kX], {{0.0f, 1.0f}, {1.0f, 0.0f}});
  setKeys(layer.parameters[kst::Brush::kWidth], {{0.0f, 0.0f}, {1.0f, 1.0f}});
  setKeys(layer.parameters[kst::Brush::kHeight], {{0.0f, 1.0f}, {33.0f, 1.0f}, {34.0f, 0.0f}});
  return layer;
}

// On a lower level than the scene: the zoom is set before the scene draws.
kst::BrushEnvelopeZoomFactor& zoom() {
  auto& layer = newLayer<kst::BrushEnvelopeZoomFactor>(0, 32.0f);
  layer.sceneName = kMetaballs;
  layer.cameraIndex = 0;
  bool wide = true;
  for (float time : kZoomTimes) {
    layer.zoom.addKey(time, wide ? kWide : 1.0f, 0.0f, 1.0f, 0.0f);
    wide = !wide;
  }
  return layer;
}

}  // namespace

void buildMetaballs(bool background) {
  startSection(kSectionStarts[4]);
  loadSceneAhead(kMetaballs, background, 18.0f);
  loadWithAlpha(kPicture, "demo\\pupic.jpg", "demo\\pupic_a.jpg");
  new kst::EvtLoadBitmapAlpha(0.0f, kGreetings);
  activate(0.0f, picture());
  activate(0.0f, greetings());
  activate(0.0f, metaballs());
  activate(0.0f, zoom());
  new kst::EvtUnloadScene(34.0f, kMetaballs);
}

}  // namespace shell::script
