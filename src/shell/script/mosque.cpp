// Section 3: the hall, with eight volumes of light in its own space, hidden
// behind its walls where they pass behind them.
#include <memory>

#include "layers/scene_layers.h"
#include "render/materials/mat_volumetric.h"
#include "shell/script/script_tools.h"
#include "shell/script/sections.h"
#include "timeline/scene_events.h"

namespace shell::script {
namespace {

constexpr const char* kHall = "demo\\mosquee.kst";
constexpr const char* kShafts[8] = {
    "demo\\Mosquee\\volum1OK2.lwo", "demo\\Mosquee\\volum1OK2sym.lwo", "demo\\Mosquee\\volum2OK.lwo",
    "demo\\Mosquee\\volum2OKsym.lwo", "demo\\Mosquee\\volum3OK.lwo", "demo\\Mosquee\\volum3OKsym.lwo",
    "demo\\Mosquee\\volumPlaf.lwo", "demo\\Mosquee\\volumPlaf-sym.lwo",
};
constexpr float kSectionLength = 32.6f;

}  // namespace

kst::BrushScene& sceneLayer(const char* scene, std::int32_t level, float duration) {
  auto& layer = newLayer<kst::BrushScene>(level, duration);
  layer.sceneName = scene;
  setConstant(layer.parameters[kst::Brush::kX], 0.0f);
  setConstant(layer.parameters[kst::Brush::kY], 0.0f);
  setConstant(layer.parameters[kst::Brush::kWidth], 1.0f);
  setConstant(layer.parameters[kst::Brush::kHeight], 1.0f);
  return layer;
}

void buildMosque() {
  startSection(kSectionStarts[2]);
  loadScene(kHall);
  for (const char* file : kShafts) loadObject(file, 0);
  activate(0.0f, sceneLayer(kHall, 0, kSectionLength));
  for (const char* file : kShafts) {
    auto& shaft = newLayer<kst::BrushMeshInScene>(1, kSectionLength);
    shaft.sceneName = kHall;
    shaft.meshName = file;
    shaft.materials.push_back(std::make_unique<kst::Mat_Volumetric>());
    activate(0.0f, shaft);
  }
  new kst::EvtUnloadScene(kSectionLength, kHall);
  for (int i = 7; i >= 0; --i) new kst::EvtUnloadMesh(kSectionLength, kShafts[i]);
}

}  // namespace shell::script
