// Section 4: the title picture flickers into the cubes scene.
#include "layers/bitmap_layers.h"
#include "layers/scene_layers.h"
#include "shell/script/script_tools.h"
#include "shell/script/sections.h"
#include "timeline/bitmap_events.h"
#include "timeline/scene_events.h"
#include "timeline/value_events.h"

namespace shell::script {
namespace {

constexpr const char* kTitle = "demo\\Skyward.jpg";
constexpr const char* kCubes = "demo\\cubes.kst";
// The cubes on, the title off at the first of these times, the other way
// round at the second, and so on: an odd count leaves the cubes on.
constexpr float kFlickerTimes[] = {0.3f, 0.6f, 0.9f, 1.2f, 1.4f, 1.5f, 1.6f, 1.7f, 1.8f};

}  // namespace

void buildTitle(bool background) {
  startSection(kSectionStarts[3]);
  loadSceneAhead(kCubes, background, 32.0f);
  auto& title = newLayer<kst::BrushBackdrop>(0, 18.5f);
  title.bitmapName = kTitle;
  title.visible = true;
  kst::BrushScene& cubes = sceneLayer(kCubes, 0, 19.5f);
  setKeys(cubes.parameters[kst::Brush::kWidth], {{0.0f, 1.0f}, {18.5f, 1.0f}, {19.5f, 0.0f}});
  cubes.visible = false;
  activate(0.0f, title);
  activate(0.0f, cubes);
  bool cubesShown = true;
  for (float time : kFlickerTimes) {
    new kst::EvtChangeValue<bool>(time, &cubes.visible, cubesShown);
    new kst::EvtChangeValue<bool>(time, &title.visible, !cubesShown);
    cubesShown = !cubesShown;
  }
  new kst::EvtUnloadBitmap(18.5f, kTitle);
  new kst::EvtUnloadScene(20.0f, kCubes);
}

}  // namespace shell::script
