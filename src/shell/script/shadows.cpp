// Section 2: the emblem tumbles among orbiting objects that shadow each
// other, framed by a picture whose colour fades in; a white flash covers
// the cut to the next section.
#include "layers/bitmap_layers.h"
#include "layers/brush_ombres.h"
#include "shell/script/script_tools.h"
#include "shell/script/sections.h"
#include "shell/script/show_materials.h"
#include "timeline/bitmap_events.h"
#include "timeline/scene_events.h"

namespace shell::script {
namespace {

constexpr const char* kSky = "demo\\backs\\1.jpg";
constexpr const char* kFrame = "demo\\frontdrop.jpg";
constexpr const char* kCentre = "demo\\ombres\\kst.lwo";
constexpr const char* kOrbiters[3] = {"demo\\ombres\\1.lwo", "demo\\ombres\\2.lwo", "demo\\ombres\\3.lwo"};
constexpr float kSectionLength = 27.0f;

// Red first, blue last.
kst::BrushFrontdrop& frame() {
  auto& layer = newLayer<kst::BrushFrontdrop>(4, kSectionLength);
  layer.bitmapName = kFrame;
  setKeys(layer.parameters[kst::Brush::kRed], {{0.0f, 0.0f}, {0.5f, 1.0f}});
  setKeys(layer.parameters[kst::Brush::kGreen], {{0.0f, 0.0f}, {0.75f, 1.0f}});
  setKeys(layer.parameters[kst::Brush::kBlue], {{0.0f, 0.0f}, {1.0f, 1.0f}});
  return layer;
}

// Rises from below into the middle of the frame.
kst::BrushOmbres& shadowDance() {
  auto& layer = newLayer<kst::BrushOmbres>(1, kSectionLength);
  layer.centralMeshName = kCentre;
  for (const char* file : kOrbiters) layer.objectMeshNames.emplace_back(file);
  layer.baseMaterials = {litMaterial(LitMaterial::M4), litMaterial(LitMaterial::M5)};
  layer.objectMaterials = {litMaterial(LitMaterial::M6), litMaterial(LitMaterial::M7), litMaterial(LitMaterial::M8)};
  setKeys(layer.parameters[kst::Brush::kY], {{0.0f, -3.0f}, {1.5f, 0.0f}});
  setConstant(layer.parameters[kst::Brush::kWidth], 1.0f);
  setConstant(layer.parameters[kst::Brush::kHeight], 1.0f);
  return layer;
}

}  // namespace

kst::BrushFlat& flash() {
  auto& layer = newLayer<kst::BrushFlat>(4, 1.5f);
  setConstant(layer.parameters[kst::Brush::kWidth], 2.0f);
  setConstant(layer.parameters[kst::Brush::kHeight], 2.0f);
  setKeys(layer.parameters[kst::Brush::kAlpha], {{0.0f, 0.0f}, {0.25f, 1.0f}, {0.75f, 1.0f}, {1.5f, 0.0f}});
  return layer;
}

void buildShadows() {
  startSection(kSectionStarts[1]);
  loadObject(kCentre, 3);
  for (const char* file : kOrbiters) loadObject(file, 3);
  new kst::EvtLoadBitmapBackdrop(0.0f, kFrame);
  activate(0.0f, frame());
  auto& sky = newLayer<kst::BrushBackdrop>(0, kSectionLength);
  sky.bitmapName = kSky;
  activate(0.0f, sky);
  activate(0.0f, shadowDance());
  activate(26.75f, flash());
  new kst::EvtUnloadBitmap(kSectionLength, kSky);
  for (int i = 2; i >= 0; --i) new kst::EvtUnloadMesh(kSectionLength, kOrbiters[i]);
  new kst::EvtUnloadMesh(kSectionLength, kCentre);
  new kst::EvtUnloadBitmap(kSectionLength, kFrame);
}

}  // namespace shell::script
