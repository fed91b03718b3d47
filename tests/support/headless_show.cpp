#include "support/headless_show.h"

#include "platform/sdl_host.h"
#include "shell/start_up.h"

namespace fake {

int runHeadlessShow(float until, const std::vector<shell::Screenshot>& screenshots) {
  shell::ShowOptions options;
  options.preloadEverything = true;
  options.fps = 30;
  options.until = until;
  options.screenshots = screenshots;
  return runHeadlessShow(options);
}

int runHeadlessShow(shell::ShowOptions options) {
  platform::SdlHost host(true);
  platform::setHost(&host);
  options.headless = true;
  const int exitCode = shell::WinMain(options);
  platform::setHost(nullptr);
  return exitCode;
}

}  // namespace fake
