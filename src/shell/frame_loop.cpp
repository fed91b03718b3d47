#include "shell/frame_loop.h"

#include <cstdio>

#include "layers/layer_stack.h"
#include "platform/host.h"
#include "render/device.h"
#include "render/gl_table.h"
#include "shell/frame_state.h"
#include "shell/screenshot.h"
#include "shell/show_window.h"
#include "timeline/timeline.h"

namespace shell {
namespace {

// False once the quit message has been seen.
bool drainMessages() {
  platform::Message message;
  while (platform::host().peekMessage(message)) {
    if (message.kind == platform::MessageKind::Quit) return false;
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

 private:
  std::vector<Screenshot> pending_;
};

}  // namespace

void runFrameLoop(ShowClock& clock, const ShowOptions& options) {
  ScreenshotQueue screenshots(options.screenshots);
  const KS_3Ddevice& device = *RenderDevice();
  for (;;) {
    gl.glViewport(0, 0, device.width, device.height);
    const float t = clock.now();
    if (!drainMessages()) return;
    ResetFrameState();
    kst::theTimeLine().update(t);
    kst::DrawLayers(t);
    screenshots.takeDue(t);
    Present();
    if (options.until && t >= *options.until) return;
  }
}

}  // namespace shell
