// Capture against its reference: the same frames drawn and presented on the
// software GL driver, once with nothing else and once also read back,
// converted and encoded into a video file. Each frame composites twelve
// blended full-screen layers, about what the show's busier moments draw.
// fps is frames per second of real time; the ratio of the two is the price
// of capturing (the aim is 0.9 or better).
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <memory>

#include "platform/sdl_host.h"
#include "render/device.h"
#include "render/gl_state_cache.h"
#include "render/gl_table.h"
#include "shell/frame_state.h"
#include "shell/show_capture.h"

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kLayers = 12;
constexpr int kFrames = 240;

bool deviceReady() {
  static const bool ready = [] {
    platform::useHeadlessDrivers();
    static auto* host = new platform::SdlHost(true);
    platform::setHost(host);
    glStateCache.Reset();
    ResetGLTable();
    return host->createWindow("Skyward capture bench", kWidth, kHeight, false) &&
           CreateRenderDevice(host->windowDC(), 0, kWidth, kHeight);
  }();
  return ready;
}

void drawFrame(int frame) {
  gl.glViewport(0, 0, kWidth, kHeight);
  shell::ResetFrameState();
  gl.glDisable(GL_DEPTH_TEST);
  gl.glDisable(GL_CULL_FACE);
  gl.glEnable(GL_BLEND);
  gl.glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  for (int layer = 0; layer < kLayers; ++layer) {
    const float shade = static_cast<float>((frame + layer * 20) % 256) / 255.0f;
    gl.glBegin(GL_TRIANGLE_STRIP);
    gl.glColor4f(shade, 0.5f, 1.0f - shade, 0.3f);
    gl.glVertex2f(-1.0f, -1.0f);
    gl.glColor4f(1.0f - shade, shade, 0.2f, 0.3f);
    gl.glVertex2f(1.0f, -1.0f);
    gl.glVertex2f(-1.0f, 1.0f);
    gl.glColor4f(0.1f, shade, shade, 0.3f);
    gl.glVertex2f(1.0f, 1.0f);
    gl.glEnd();
  }
  gl.glDisable(GL_BLEND);
}

// Over everything the frames cost, the encoder's last frames and the
// driver's last drawing included.
class Rate {
 public:
  void report(benchmark::State& state, int frames) const {
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    state.counters["fps"] = static_cast<double>(frames) / seconds;
  }

 private:
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

void BM_RenderOnly(benchmark::State& state) {
  if (!deviceReady()) return state.SkipWithError("no GL device");
  int frame = 0;
  const Rate rate;
  for (auto _ : state) {
    drawFrame(frame++);
    Present();
  }
  gl.glFinish();
  rate.report(state, frame);
}

void BM_RenderAndCapture(benchmark::State& state) {
  if (!deviceReady()) return state.SkipWithError("no GL device");
  const auto file = std::filesystem::temp_directory_path() / "skyward-capture-bench.mp4";
  int frame = 0;
  const Rate rate;
  {
    shell::ShowCapture capture(file.string(), 60, 18, 0.0f, 1e9f);
    for (auto _ : state) {
      drawFrame(frame);
      capture.frameDrawn(static_cast<float>(frame++) / 60.0f);
      Present();
    }
    capture.finish();
  }
  rate.report(state, frame);
  state.counters["MB"] = static_cast<double>(std::filesystem::file_size(file)) / 1e6;
  std::filesystem::remove(file);
}

BENCHMARK(BM_RenderOnly)->Iterations(kFrames)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RenderAndCapture)->Iterations(kFrames)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace
