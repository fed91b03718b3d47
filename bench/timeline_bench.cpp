// Firing cost of the timeline: linear in the number of events fired. The
// reference creates and destroys the same events without any scheduling, so
// the difference is what the ordered set and the cursor cost per event.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "timeline/timeline.h"

namespace {

int firedCount = 0;

class CountingEvent : public kst::TimeLineEvent {
 public:
  explicit CountingEvent(float time) : kst::TimeLineEvent(time) {}
  void fire(float) override { ++firedCount; }
};

float spreadTime(int i) { return static_cast<float>((i * 7919) % 4000) * 0.06f; }

void BM_TimeLineFireAll(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  kst::TimeLine& line = kst::theTimeLine();
  for (auto _ : state) {
    state.PauseTiming();
    line.clear();
    for (int i = 0; i < count; ++i) new CountingEvent(spreadTime(i));
    line.rewind();
    state.ResumeTiming();
    line.update(1.0e9f);
  }
  benchmark::DoNotOptimize(firedCount);
  state.SetItemsProcessed(state.iterations() * count);
  state.SetComplexityN(count);
}
BENCHMARK(BM_TimeLineFireAll)->RangeMultiplier(10)->Range(100, 10000)->Complexity(benchmark::oN);

// Reference: the same kind of heap-allocated event with a virtual fire,
// fired and destroyed straight from a vector, with no ordering at all.
struct PlainEvent {
  explicit PlainEvent(float t) : time(t) {}
  virtual ~PlainEvent() = default;
  virtual void fire(float) { ++firedCount; }
  float time;
};

void BM_ReferenceFireFromVector(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  std::vector<std::unique_ptr<PlainEvent>> events;
  for (auto _ : state) {
    state.PauseTiming();
    for (int i = 0; i < count; ++i) events.push_back(std::make_unique<PlainEvent>(spreadTime(i)));
    state.ResumeTiming();
    for (auto& event : events) event->fire(event->time);
    events.clear();
  }
  state.SetItemsProcessed(state.iterations() * count);
  state.SetComplexityN(count);
}
BENCHMARK(BM_ReferenceFireFromVector)->RangeMultiplier(10)->Range(100, 10000)->Complexity(benchmark::oN);

}  // namespace
