// kstview: plays a scene file (.kst) through its cameras or a free orbit
// camera in a window (800x600 unless --size says otherwise), for people who
// make scenes; or, headless, writes one frame of it as a PNG.
#include <CLI/CLI.hpp>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <optional>
#include <string>
#include <vector>

#include "persist/class_registration.h"
#include "persist/scene_file.h"
#include "platform/sdl_host.h"
#include "render/device.h"
#include "render/panel_drawing.h"
#include "scene_view.h"
#include "shell/frame_options.h"
#include "shell/frame_rate.h"
#include "shell/screenshot.h"
#include "viewer_notes.h"
#include "viewer_state.h"

namespace {

constexpr int kUnreadable = 1;
constexpr int kUsage = 2;
constexpr int kNoDisplay = 3;

struct Orbit {
  float yaw = 0.0f;
  float pitch = 0.0f;
  float distance = 0.0f;  // 0: where the scene is framed
};

struct Options {
  std::string file;
  std::optional<std::size_t> camera;
  float time = 0.0f;
  std::string screenshot;
  bool headless = false;
  std::optional<Orbit> orbit;
  shell::FrameSize size;
  int samples = 0;
};

int writeOneFrame(kstview::SceneView& view, const kstview::ViewerState& state, const Options& options) {
  BeginFrame();
  view.draw(state);
  ResolveFrame();
  if (shell::saveScreenshot(options.screenshot)) return 0;
  std::fprintf(stderr, "kstview: cannot write the screenshot %s\n", options.screenshot.c_str());
  return kUnreadable;
}

// Dragging or turning the wheel moves the orbit camera, and looks through it.
void moveOrbit(const platform::Message& message, kstview::SceneView& view, kstview::ViewerState& state) {
  kstview::OrbitCamera& orbit = view.orbit();
  if (message.kind == platform::MessageKind::MouseWheel) {
    orbit.wheel(message.dy);
  } else if ((message.buttons & platform::kMouseLeft) != 0) {
    orbit.drag(message.dx, message.dy);
  } else if ((message.buttons & platform::kMouseRight) != 0) {
    orbit.pan(message.dx, message.dy, RenderDevice()->picture().height);
  } else {
    return;
  }
  state.useOrbit();
}

// Takes the window's messages; false once the viewer should end.
bool pumpMessages(platform::Host& host, kstview::SceneView& view, kstview::ViewerState& state) {
  platform::Message message;
  while (host.peekMessage(message)) {
    using platform::MessageKind;
    if (message.kind == MessageKind::KeyDown) state.press(message.key);
    if (message.kind == MessageKind::MouseMove || message.kind == MessageKind::MouseWheel) moveOrbit(message, view, state);
    if (message.kind == MessageKind::Close || message.kind == MessageKind::Quit) state.quit = true;
  }
  if (state.reloadWanted) {
    state.reloadWanted = false;
    if (view.reload()) state.setCameraCount(view.cameraCount());
  }
  return !state.quit;
}

void play(platform::Host& host, kstview::SceneView& view, kstview::ViewerState& state) {
  const text::FontFace font("DejaVuSansMono.ttf");
  std::uint32_t last = host.timeGetTime();
  shell::FrameRate rate(last);
  float framesPerSecond = 0.0f;
  while (pumpMessages(host, view, state)) {
    const std::uint32_t now = host.timeGetTime();
    state.advance(static_cast<float>(now - last) / 1000.0f);
    last = now;
    BeginFrame();
    view.draw(state);
    ResolveFrame();
    kst::drawNotes(font, kstview::viewerNotes(view, state, framesPerSecond));
    Present();
    framesPerSecond = rate.onFrame(now);
    host.setWindowTitle(state.title(view.file(), framesPerSecond));
  }
}

// "no camera", "1 camera (0)", "2 cameras (0 and 1)", "5 cameras (0 to 4)".
std::string cameraList(std::size_t count) {
  if (count == 0) return "no camera";
  if (count == 1) return "1 camera (0)";
  return std::to_string(count) + " cameras (0 " + (count == 2 ? "and " : "to ") + std::to_string(count - 1) + ")";
}

// A camera asked for that the scene lacks is refused, naming those it has;
// a scene without cameras is seen through the orbit camera unless one was
// asked for.
bool pickCamera(const Options& options, kstview::ViewerState& state) {
  state.camera = options.camera.value_or(0);
  if (state.camera < state.cameraCount) return true;
  if (!options.camera) {
    std::fprintf(stderr, "kstview: %s has no camera: the orbit camera instead\n", options.file.c_str());
    state.useOrbit();
    return true;
  }
  std::fprintf(stderr, "kstview: %s has %s; there is no camera %zu\n", options.file.c_str(),
               cameraList(state.cameraCount).c_str(), state.camera);
  return false;
}

int viewWithDevice(const Options& options, platform::Host& host) {
  kstview::SceneView view(options.file);
  if (!view.load(options.time)) return kUnreadable;
  kstview::ViewerState state;
  state.cameraCount = view.cameraCount();
  state.time = options.time;
  if (options.orbit) {
    const Orbit& orbit = *options.orbit;
    view.orbit().place(orbit.yaw, orbit.pitch, orbit.distance > 0.0f ? orbit.distance : view.orbit().framedDistance());
    state.useOrbit();
  } else if (!pickCamera(options, state)) {
    return kUnreadable;
  }
  if (!options.screenshot.empty()) return writeOneFrame(view, state, options);
  try {
    play(host, view, state);
  } catch (const std::runtime_error& error) {  // the overlay's font
    std::fprintf(stderr, "kstview: %s\n", error.what());
    return kNoDisplay;
  }
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
  if (options.headless) platform::useHeadlessDrivers();
  platform::SdlHost host(options.headless);
  platform::setHost(&host);
  int result = kNoDisplay;
  const platform::WindowRequest window{options.size.width, options.size.height, platform::WindowPlacement::Windowed};
  if (host.createWindow("kstview", window) &&
      CreateRenderDevice(host.windowDC(), 0, host.drawableSize().width, host.drawableSize().height)) {
    const std::string beyond = shell::frameBeyondDriver(*RenderDevice());
    if (beyond.empty()) {
      shell::reportSamples("kstview", options.samples, UseFrameSamples(options.samples));
      result = viewOrExplain(options, host);
    } else {
      std::fprintf(stderr, "kstview: --size: %s\n", beyond.c_str());
      result = kUsage;
    }
    DestroyRenderDevice();
  } else {
    std::fprintf(stderr, "kstview: no %dx%d OpenGL window could be had%s\n", options.size.width,
                 options.size.height, options.headless ? "" : " (without a display, use --headless)");
  }
  host.destroyWindow();
  platform::setHost(nullptr);
  return result;
}

// A number of the command line: the whole text, finite.
std::optional<float> readNumber(const std::string& text) {
  const char* begin = text.c_str();
  char* end = nullptr;
  errno = 0;
  const float value = std::strtof(begin, &end);
  if (end == begin || *end != '\0' || errno == ERANGE || !std::isfinite(value)) return std::nullopt;
  return value;
}

// "YAW,PITCH,DISTANCE" in degrees, degrees and scene units; a distance of
// "fit" or 0 is where the scene is framed. Empty on success.
std::string readOrbit(const std::string& text, Orbit& into) {
  std::vector<std::string> parts{{}};
  for (char c : text) {
    if (c == ',')
      parts.emplace_back();
    else
      parts.back().push_back(c);
  }
  if (parts.size() == 3) {
    const std::optional<float> yaw = readNumber(parts[0]);
    const std::optional<float> pitch = readNumber(parts[1]);
    const std::optional<float> distance = parts[2] == "fit" ? 0.0f : readNumber(parts[2]);
    if (yaw && pitch && distance && *distance >= 0.0f) {
      into = {*yaw, *pitch, *distance};
      return {};
    }
  }
  return "expected YAW,PITCH,DISTANCE (degrees, degrees, and a distance of 0 or more or 'fit'), got '" + text + "'";
}

// A pitch past the camera's reach is held at it, and said.
void holdPitch(Orbit& orbit) {
  constexpr float kMaxPitch = kstview::OrbitCamera::kMaxPitch;
  if (std::abs(orbit.pitch) <= kMaxPitch) return;
  const float held = std::copysign(kMaxPitch, orbit.pitch);
  std::fprintf(stderr, "kstview: --orbit pitch %g is beyond %g degrees: %g is used\n", static_cast<double>(orbit.pitch),
               static_cast<double>(kMaxPitch), static_cast<double>(held));
  orbit.pitch = held;
}

std::string checkTime(std::string& text) {
  const std::optional<float> time = readNumber(text);
  return time && *time >= 0.0f ? std::string() : "expected a time in seconds, zero or more, got '" + text + "'";
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"kstview: plays a Skyward scene file (.kst) through its cameras or an orbit camera"};
  Options options;
  std::string orbit;
  app.add_option("file", options.file, "The scene file")->required();
  app.add_option("--camera", options.camera, "The scene's camera to look through, 0 the first (default 0)")
      ->type_name("N");
  app.add_option("--time", options.time, "The scene time to start at, in seconds (default 0)")
      ->type_name("T")
      ->check(CLI::Validator(checkTime, "T"));
  app.add_option("--orbit", orbit,
                 "Look through the orbit camera around the middle of what the scene shows: yaw and pitch in "
                 "degrees (pitch within 89 either way), the distance in scene units, 'fit' (or 0) where the scene "
                 "is framed")
      ->type_name("YAW,PITCH,DISTANCE")
      ->check(CLI::Validator([](std::string& text) { Orbit unused; return readOrbit(text, unused); },
                             "YAW,PITCH,DISTANCE"));
  auto* shot = app.add_option("--screenshot", options.screenshot, "Write the frame at --time as a PNG and end")
                   ->type_name("FILE.png");
  app.add_option_function<std::string>(
         "--size", [&options](const std::string& text) { shell::readFrameSize(text, options.size, false); },
         "The window's size in pixels, WxH (default 800x600): the scene's 4:3 picture as large as fits")
      ->check(CLI::Validator(
          [](std::string& text) { shell::FrameSize unused; return shell::readFrameSize(text, unused, false); }, "WxH"))
      ->type_name("WxH");
  app.add_option("--msaa", options.samples, "Multisampled frame with N samples per pixel (2, 4 or 8)")
      ->check(CLI::IsMember(shell::kSampleCounts))
      ->type_name("N");
  app.add_flag("--headless", options.headless, "No display needed: offscreen software GL")->needs(shot);
  app.footer(
      "Keys: 0-9 pick a scene camera, C the next camera (the orbit camera after the scene's last), space pauses,\n"
      "Left/Right step 1/30 s, Down/Up step 1 s, W wireframe, B the nodes' boxes, F fog, R reads the file again\n"
      "(camera and time kept), Escape quits. Mouse: drag to turn the scene about its middle, right drag to pan,\n"
      "the wheel to come closer or go back (each looks through the orbit camera).\n"
      "A corner of the window shows the file, the camera, the time, the node, shape and triangle counts, the frame\n"
      "rate, the switches and what R did; the window title the file, camera, time and frame rate.\n"
      "Exit codes: 0 done, 1 the file cannot be read, has no such camera or the screenshot cannot be written,\n"
      "2 unreadable command line, 3 no OpenGL window (or no font for the notes).\n");
  try {
    app.parse(argc, argv);
    if (!orbit.empty()) {
      readOrbit(orbit, options.orbit.emplace());
      holdPitch(*options.orbit);
    }
  } catch (const CLI::ParseError& error) {
    return app.exit(error) == 0 ? 0 : kUsage;
  }
  return view(options);
}
