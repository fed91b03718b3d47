// Sections 7 and 8: the module tune takes over from the stream; the last
// scene in four quarter views, one per camera; a flash; the logo, which
// stays until the user quits.
#include "layers/bitmap_layers.h"
#include "layers/scene_layers.h"
#include "shell/script/script_tools.h"
#include "shell/script/sections.h"
#include "timeline/bitmap_events.h"
#include "timeline/music_events.h"
#include "timeline/scene_events.h"

namespace shell::script {
namespace {

constexpr const char* kLastScene = "demo\\fin2.kst";
constexpr const char* kLogo = "demo\\backs\\biglogo.jpg";

struct QuarterView {
  float left;
  float top;
  std::int32_t camera;
};
// Lower right, lower left, upper right, upper left.
constexpr QuarterView kQuarters[] = {{0.5f, 0.5f, 3}, {0.0f, 0.5f, 2}, {0.5f, 0.0f, 1}, {0.0f, 0.0f, 0}};

}  // namespace

void buildFinale(bool background) {
  startSection(kSectionStarts[6]);
  loadSceneAhead(kLastScene, background, 39.0f);
  new EvtStartMusic(0.0f, "demo\\_SKYWARD22.xm");
  for (const QuarterView& quarter : kQuarters) {
    kst::BrushScene& view = sceneLayer(kLastScene, 0, 0.0f);
    setConstant(view.parameters[kst::Brush::kX], quarter.left);
    setConstant(view.parameters[kst::Brush::kY], quarter.top);
    setConstant(view.parameters[kst::Brush::kWidth], 0.5f);
    setConstant(view.parameters[kst::Brush::kHeight], 0.5f);
    view.cameraIndex = quarter.camera;
    activate(0.0f, view);
  }
  activate(74.75f, flash());
}

void buildLogo() {
  startSection(kSectionStarts[7]);
  new kst::EvtLoadBitmapBackdrop(0.0f, kLogo);
  // Duration 0: the logo never ends, and the show keeps its last picture until
  // it is quit (a logo that ended would bring the four views under it back
  // while the show stands in its last section).
  auto& logo = newLayer<kst::BrushBackdrop>(0, 0.0f);
  logo.bitmapName = kLogo;
  activate(0.0f, logo);
}

}  // namespace shell::script
