#include "support/headless_show.h"

#include "platform/sdl_host.h"

namespace fake {

int runHeadlessShow(float until, const std::vector<shell::Screenshot>& screenshots,
                    const shell::ShowPreparation& prepare) {
  shell::ShowOptions options;
  options.preloadEverything = true;
  options.fps = 30;
  options.until = until;
  options.screenshots = screenshots;
  return runHeadlessShow(options, prepare);
}

int runHeadlessShow(shell::ShowOptions options, const shell::ShowPreparation& prepare, const shell::ShowBuild& build) {
  platform::SdlHost host(true);
  platform::setHost(&host);
  options.headless = true;
  const int exitCode = shell::WinMain(options, prepare, build);
  platform::setHost(nullptr);
  return exitCode;
}

}  // namespace fake
