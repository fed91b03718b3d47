#include "shell/finished_layers.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "layers/layer_stack.h"

namespace shell {
namespace {

// As the compositor decides: drawn while the local time is below the duration.
bool drawnAt(float t, float activation, float duration) { return t >= activation && t - activation < duration; }

float lastMomentDrawn(float activation, float duration) {
  float t = activation + duration;
  while (!(t - activation < duration)) t = std::nextafter(t, -std::numeric_limits<float>::infinity());
  return t;
}

float lastFrameDrawn(int fps, float activation, float duration) {
  const auto frame = [fps](std::int64_t k) { return ShowClock::gridTime(k, fps); };
  std::int64_t k = ShowClock::firstGridFrame(activation + duration, fps);
  while (k > 0 && !(frame(k) - activation < duration)) --k;
  while (frame(k + 1) - activation < duration) ++k;
  return frame(k);
}

struct Settling {
  float lastDrawn;
  float local;
  kst::Brush* layer;
};

}  // namespace

std::optional<float> lastDrawnTime(std::optional<int> fps, float activation, float duration) {
  const float t = fps ? lastFrameDrawn(*fps, activation, duration) : lastMomentDrawn(activation, duration);
  if (!drawnAt(t, activation, duration)) return std::nullopt;
  return t;
}

void settleFinishedLayers(const ShowClock& clock) {
  const float start = clock.startTime();
  std::vector<Settling> due;
  kst::theLayerStack().forEachActive([&](int, float activation, kst::Brush& layer) {
    if (layer.IsFinished(start - activation) != 1) return;
    if (const std::optional<float> t = lastDrawnTime(clock.fps(), activation, layer.duration))
      due.push_back({*t, *t - activation, &layer});
  });
  std::stable_sort(due.begin(), due.end(),
                   [](const Settling& a, const Settling& b) { return a.lastDrawn < b.lastDrawn; });
  for (const Settling& settling : due) settling.layer->Settle(settling.local);
}

}  // namespace shell
