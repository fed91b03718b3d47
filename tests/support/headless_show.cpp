#include "support/headless_show.h"

#include "platform/sdl_host.h"
#include "shell/part_capture.h"

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

namespace {

template <class Program>
int withHeadlessHost(Program program) {
  platform::SdlHost host(true);
  platform::setHost(&host);
  const int exitCode = program();
  platform::setHost(nullptr);
  return exitCode;
}

}  // namespace

int runHeadlessShow(shell::ShowOptions options, const shell::ShowPreparation& prepare, const shell::ShowBuild& build) {
  options.headless = true;
  return withHeadlessHost([&] { return shell::WinMain(options, prepare, build); });
}

int runHeadlessPart(shell::ShowOptions options, const shell::ShowPreparation& prepare) {
  options.headless = true;
  return withHeadlessHost([&] { return shell::capturePart(options, prepare); });
}

}  // namespace fake
