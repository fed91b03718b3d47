// kstview: plays a scene file (.kst) through one of its cameras in an
// 800x600 window, for people who make scenes; or, headless, writes one
// frame of it as a PNG.
#include <CLI/CLI.hpp>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <string>

#include "persist/class_registration.h"
#include "persist/scene_file.h"
#include "scene/scene_io.h"
#include "platform/sdl_host.h"
#include "render/device.h"
#include "render/gl_table.h"
#include "scene/scene.h"
#include "shell/frame_state.h"
#include "shell/screenshot.h"
#include "viewer_state.h"

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kUnreadable = 1;
constexpr int kUsage = 2;
constexpr int kNoDisplay = 3;

struct Options {
  std::string file;
  std::size_t camera = 0;
  float time = 0.0f;
  std::string screenshot;
  bool headless = false;
};

// Null after printing the file and the reason; a file that does not read
// throws SceneFileError.
std::unique_ptr<Scene> loadScene(const std::string& file) {
  if (std::unique_ptr<Scene> scene = readScene(file)) return scene;
  std::fprintf(stderr, "kstview: %s: not a scene file (its record is not a scene)\n", file.c_str());
  return nullptr;
}

// The scene's background, then the tree at `time` through the chosen camera.
void drawFrame(Scene& scene, const kstview::ViewerState& state) {
  gl.glViewport(0, 0, kWidth, kHeight);
  shell::ResetFrameState();
  const persist::Colour& background = scene.backgroundColor;
  gl.glClearColor(background[0], background[1], background[2], background[3]);
  gl.glClear(GL_COLOR_BUFFER_BIT);
  if (state.cameraCount == 0) return;
  scene.setPendingCamera(static_cast<std::int32_t>(state.camera));
  scene.update(state.time);
  scene.render();
}

int writeOneFrame(Scene& scene, const kstview::ViewerState& state, const std::string& png) {
  drawFrame(scene, state);
  if (shell::saveScreenshot(png)) return 0;
  std::fprintf(stderr, "kstview: cannot write the screenshot %s\n", png.c_str());
  return kUnreadable;
}

// Takes the window's messages; false once the viewer should end.
bool pumpMessages(platform::Host& host, kstview::ViewerState& state) {
  platform::Message message;
  while (host.peekMessage(message)) {
    if (message.kind == platform::MessageKind::KeyDown) state.press(message.key);
    if (message.kind == platform::MessageKind::Close || message.kind == platform::MessageKind::Quit) state.quit = true;
  }
  return !state.quit;
}

void play(platform::Host& host, Scene& scene, kstview::ViewerState& state, const std::string& file) {
  std::uint32_t last = host.timeGetTime();
  std::uint32_t rateStart = last;
  int framesSinceRate = 0;
  float framesPerSecond = 0.0f;
  while (pumpMessages(host, state)) {
    const std::uint32_t now = host.timeGetTime();
    state.advance(static_cast<float>(now - last) / 1000.0f);
    last = now;
    drawFrame(scene, state);
    Present();
    ++framesSinceRate;
    if (now - rateStart >= 500) {
      framesPerSecond = static_cast<float>(framesSinceRate) * 1000.0f / static_cast<float>(now - rateStart);
      rateStart = now;
      framesSinceRate = 0;
    }
    host.setWindowTitle(state.title(file, framesPerSecond));
  }
}

// The scene's textures go to GL as it is read: the window and device come first.
int viewWithDevice(const Options& options, platform::Host& host) {
  std::unique_ptr<Scene> scene = loadScene(options.file);
  if (scene == nullptr) return kUnreadable;
  scene->prepareAfterLoad(options.file.c_str());
  kstview::ViewerState state;
  state.cameraCount = scene->cameras.size();
  state.camera = options.camera;
  state.time = options.time;
  if (state.camera >= state.cameraCount)
    std::fprintf(stderr, "kstview: %s has %zu camera(s); camera %zu shows nothing\n", options.file.c_str(),
                 state.cameraCount, state.camera);
  if (!options.screenshot.empty()) return writeOneFrame(*scene, state, options.screenshot);
  play(host, *scene, state, options.file);
  return 0;
}

// Whatever stops the scene (a damaged record, memory, anything its
// preparation or drawing throws) ends the viewer with the file and the
// reason; the scene is gone before the device.
int viewOrExplain(const Options& options, platform::Host& host) {
  try {
    return viewWithDevice(options, host);
  } catch (const SceneFileError& error) {
    std::fprintf(stderr, "kstview: %s\n", error.what());  // the file is in the reason
  } catch (const std::exception& error) {
    std::fprintf(stderr, "kstview: %s: %s\n", options.file.c_str(), error.what());
  }
  return kUnreadable;
}

int view(const Options& options) {
  RegisterClassFactories();
  if (options.headless) {
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
  }
  platform::SdlHost host(options.headless);
  platform::setHost(&host);
  int result = kNoDisplay;
  if (host.createWindow("kstview", kWidth, kHeight, false) && CreateRenderDevice(host.windowDC(), 0, kWidth, kHeight)) {
    result = viewOrExplain(options, host);
    DestroyRenderDevice();
  } else {
    std::fprintf(stderr, "kstview: no 800x600 OpenGL window could be had%s\n",
                 options.headless ? "" : " (without a display, use --headless)");
  }
  host.destroyWindow();
  platform::setHost(nullptr);
  return result;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"kstview: plays a Skyward scene file (.kst) through one of its cameras"};
  Options options;
  app.add_option("file", options.file, "The scene file")->required();
  app.add_option("--camera", options.camera, "The camera to look through, 0 the first (default 0)")->type_name("N");
  app.add_option("--time", options.time, "The scene time to start at, in seconds (default 0)")->type_name("T");
  auto* shot = app.add_option("--screenshot", options.screenshot, "Write the frame at --time as an 800x600 PNG and end")
                   ->type_name("FILE.png");
  app.add_flag("--headless", options.headless, "No display needed: offscreen software GL")->needs(shot);
  app.footer(
      "Keys: 0-9 pick the camera, space pauses, Left/Right step 1/30 s, Down/Up step 1 s, Escape quits.\n"
      "The window title shows the file, the camera, the scene time and the frame rate.\n"
      "Exit codes: 0 done, 1 the file cannot be read (or the screenshot written), 2 unreadable command line,\n"
      "3 no OpenGL window.\n");
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    return app.exit(error) == 0 ? 0 : kUsage;
  }
  return view(options);
}
