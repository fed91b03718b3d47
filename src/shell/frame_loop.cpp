#include "shell/frame_loop.h"

#include <cstdio>
#include <optional>
#include <string>

#include "base/stop_request.h"
#include "layers/layer_stack.h"
#include "layers/mesh_framing.h"
#include "platform/host.h"
#include "render/device.h"
#include "render/frames_in_flight.h"
#include "render/gl_table.h"
#include "shell/dev_mode.h"
#include "shell/frame_state.h"
#include "shell/frame_times.h"
#include "shell/screenshot.h"
#include "shell/show_capture.h"
#include "shell/show_window.h"
#include "timeline/timeline.h"

namespace shell {
namespace {

// False once the quit message has been seen or a stop was asked.
bool drainMessages(DevMode* dev) {
  if (kst::stopAsked()) return false;
  platform::Message message;
  while (platform::host().peekMessage(message)) {
    if (message.kind == platform::MessageKind::Quit) return false;
    if (dev != nullptr) dev->offer(message);
    windowProcedure(message);
  }
  return true;
}

class ScreenshotQueue {
 public:
  explicit ScreenshotQueue(const std::vector<Screenshot>& wanted) : pending_(wanted) {}
  void takeDue(float t) {
    std::erase_if(pending_, [t](const Screenshot& shot) {
      if (t < shot.seconds) return false;
      if (!saveScreenshot(shot.file)) std::fprintf(stderr, "skyward: could not write screenshot %s\n", shot.file.c_str());
      return true;
    });
  }
  // Asked for, but the show ended first: said, so nobody waits for the file.
  void reportMissed(float lastTime) const {
    for (const Screenshot& shot : pending_)
      std::fprintf(stderr, "skyward: no screenshot %s: the show ended at %g s, before %g s\n", shot.file.c_str(),
                   lastTime, shot.seconds);
  }

 private:
  std::vector<Screenshot> pending_;
};

// A window the user resizes changes the drawable between frames; each
// frame is drawn at the size it has then.
void followDrawable(KS_3Ddevice& device) {
  const platform::DrawableSize drawable = platform::host().drawableSize();
  if (drawable.width <= 0 || drawable.height <= 0) return;
  device.width = drawable.width;
  device.height = drawable.height;
}

void writeFrameTimes(const FrameTimes& times, const std::string& file) {
  if (!times.write(file)) std::fprintf(stderr, "skyward: could not write the frame times to %s\n", file.c_str());
}

}  // namespace

void runFrameLoop(ShowClock& clock, const ShowOptions& options, ShowCapture* capture, DevMode* dev) {
  ScreenshotQueue screenshots(options.screenshots);
  KS_3Ddevice& device = *RenderDevice();
  // Only asked-for frame times are kept: a show left running keeps no list.
  std::optional<FrameTimes> times;
  if (options.frameTimes) times.emplace().start();
  // Timed frames are finished before their swap already.
  std::optional<FramesInFlight> inFlight;
  if (options.headless && !times) inFlight.emplace();
  float t = 0.0f;
  for (;;) {
    followDrawable(device);
    BeginFrame();
    kst::SetWholeFrameViewport();
    t = clock.now();
    if (dev != nullptr) dev->pressScriptedKeys(t);
    if (!drainMessages(dev)) break;
    if (dev != nullptr) t = dev->applyKeys(t);
    ResetFrameState();
    kst::theTimeLine().update(t);
    kst::DrawLayers(t);
    ResolveFrame();
    screenshots.takeDue(t);
    if (capture != nullptr && capture->wants(t)) capture->frameDrawn(t);
    // The swap of an offscreen surface does not wait for the drawing, which
    // the driver would go on doing behind later frames and after the last:
    // a timed frame ends once its picture is finished, and a replay of the
    // frames' GL calls finishes each frame at the same place, at its swap.
    if (dev != nullptr) dev->drawNotes(t);
    if (times) gl.glFinish();
    Present();
    if (times) times->presented(t);
    if (inFlight) inFlight->presented();
    if ((options.until && t >= *options.until) || (dev != nullptr && dev->stuck())) break;
  }
  screenshots.reportMissed(t);
  if (times) writeFrameTimes(*times, *options.frameTimes);
}

}  // namespace shell
