#include "shell/show_preparation.h"

#include "base/stop_request.h"
#include "layers/bitmap_layers.h"
#include "layers/layer_stack.h"
#include "layers/mesh_framing.h"
#include "music/music.h"
#include "render/device.h"
#include "shell/finished_layers.h"
#include "shell/frame_state.h"
#include "shell/module_fade.h"
#include "shell/script/script_tools.h"
#include "shell/show_script.h"
#include "stocks/bitmap_stock.h"
#include "stocks/data_set_scale.h"
#include "stocks/scene_stock.h"
#include "timeline/brush_events.h"
#include "timeline/timeline.h"

namespace shell {
namespace {

constexpr const char* kLoadingPicture = "demo\\loading.jpg";
constexpr const char* kLoadingTune = "demo\\_SKYWARD11.xm";

// Through the ordinary machinery: stock, backdrop layer, activation event,
// compositor, swap. No clear and no state reset come first: only the bars,
// where the frame has them, are cleared, and the picture is the viewport.
void showLoadingPicture() {
  BeginFrame();
  ClearBars();
  kst::SetWholeFrameViewport();
  script::loadBackdrop(kLoadingPicture);
  auto* picture = new kst::BrushBackdrop;
  picture->bitmapName = kLoadingPicture;
  kst::TimeLine& timeLine = kst::theTimeLine();
  new kst::EvtActivateBrush(0.0f, picture);
  timeLine.rewind();
  timeLine.update(0.0f);
  kst::DrawLayers(0.0f);
  ResolveFrame();
  Present();
  timeLine.clear();
  kst::theBitmapStock().unload(kLoadingPicture);
  kst::ClearLayers();
}

}  // namespace

void prepareShow(bool preloadChoice, ShowClock& clock) {
  kst::theBitmapStock().setPictureScale(kst::ReadDataSetScale());
  showLoadingPicture();
  music::startSoundSystem();
  music::startModule(kLoadingTune);
  buildShow(preloadChoice);
  fadeOutModule();
  music::stopModule();
  // The scenes read while the show was built and the tune faded out are
  // uploaded and prepared now.
  kst::theSceneStock().finishLoads();
  kst::theTimeLine().rewind();
  const bool late = clock.showStart() > 0.0;
  music::holdSound(late);
  music::startStream(kShowStream);
  if (late) catchUpTo(clock);
  music::holdSound(false);
  clock.start();
}

// Every event up to the moment fires in order: an activation keeps its
// scheduled time, so its layer draws what it would draw then.
void catchUpTo(const ShowClock& clock) {
  kst::theTimeLine().update(clock.startTime(), kst::stopPoint);
  kst::theSceneStock().finishLoads();
  settleFinishedLayers(clock);
  music::jumpTo(clock.showStart());
}

}  // namespace shell
