// Cost of one envelope evaluation: a 40-key TCB curve repeated over time, the
// kind of curve the layers evaluate a few hundred times per frame. The
// reference interpolates the same keys linearly from a plain array with the
// same wrap, so the difference is what the key list and the TCB spans cost.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "scene/envelope.h"

namespace {

constexpr int kKeyCount = 40;
constexpr int kEvaluations = 1000000;
constexpr float kKeySpacing = 0.5f;

float keyValue(int i) { return std::sin(static_cast<float>(i) * 0.7f) * 10.0f; }

// Times from well before the first key to well after the last, in no order.
std::vector<float> spreadTimes() {
  std::vector<float> times(kEvaluations);
  std::uint32_t state = 12345u;
  for (float& t : times) {
    state = state * 1664525u + 1013904223u;
    t = static_cast<float>(state >> 8) / static_cast<float>(1u << 24) * 200.0f - 50.0f;
  }
  return times;
}

void reportPerEvaluation(benchmark::State& state) {
  state.SetItemsProcessed(state.iterations() * kEvaluations);
  state.counters["per_eval"] =
      benchmark::Counter(kEvaluations, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_EnvelopeTCBRepeat(benchmark::State& state) {
  Envelope envelope;
  for (int i = 0; i < kKeyCount; ++i) {
    envelope.addKey(static_cast<float>(i) * kKeySpacing, keyValue(i), 0.1f, 0.2f, -0.1f);
  }
  envelope.setBehaviors(kBehaviorRepeat);
  const std::vector<float> times = spreadTimes();
  for (auto _ : state) {
    float sum = 0.0f;
    for (float t : times) sum += evaluateEnvelope(envelope, t);
    benchmark::DoNotOptimize(sum);
  }
  reportPerEvaluation(state);
}
BENCHMARK(BM_EnvelopeTCBRepeat)->Unit(benchmark::kMillisecond);

// Reference: the same keys in two arrays, wrapped and searched the same way,
// interpolated linearly.
void BM_ReferenceLinearArray(benchmark::State& state) {
  std::vector<float> keyTimes(kKeyCount);
  std::vector<float> keyValues(kKeyCount);
  for (int i = 0; i < kKeyCount; ++i) {
    keyTimes[i] = static_cast<float>(i) * kKeySpacing;
    keyValues[i] = keyValue(i);
  }
  const float lo = keyTimes.front();
  const float range = keyTimes.back() - lo;
  const std::vector<float> times = spreadTimes();
  for (auto _ : state) {
    float sum = 0.0f;
    for (float t : times) {
      const float w = lo + t - range * std::floor(t / range);
      int i = 0;
      while (i + 2 < kKeyCount && keyTimes[i + 1] < w) ++i;
      const float u = (w - keyTimes[i]) / (keyTimes[i + 1] - keyTimes[i]);
      sum += keyValues[i] + u * (keyValues[i + 1] - keyValues[i]);
    }
    benchmark::DoNotOptimize(sum);
  }
  reportPerEvaluation(state);
}
BENCHMARK(BM_ReferenceLinearArray)->Unit(benchmark::kMillisecond);

}  // namespace
