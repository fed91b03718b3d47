// A late start settles the value layers that ended before it at the last
// frame a show played from 0 would have drawn them in.
#include "shell/finished_layers.h"

#include <gtest/gtest.h>

#include <cmath>

#include "layers/envelope_layers.h"
#include "layers/layer_stack.h"
#include "scene/envelope.h"

namespace {

TEST(FinishedLayers, TheLastFrameDrawnIsTheLastBeforeTheLocalTimeReachesTheDuration) {
  struct Case {
    std::optional<int> fps;
    float activation;
    float duration;
    std::optional<float> last;
  };
  const Case cases[] = {
      // 125.5 - 93.6 = 31.9 is drawn; at 125.75 the 32 s are over.
      {4, 93.6f, 32.0f, 125.5f},
      // The frame at 1 s has local time 1: finished, not drawn.
      {10, 0.0f, 1.0f, 0.9f},
      // No frame between 5.05 and 5.06.
      {10, 5.05f, 0.01f, std::nullopt},
      // Without a fixed step: the last moment a float can tell before 12.
      {std::nullopt, 10.0f, 2.0f, std::nextafter(12.0f, 0.0f)},
  };
  for (const Case& c : cases) EXPECT_EQ(shell::lastDrawnTime(c.fps, c.activation, c.duration), c.last) << c.activation;
}

// From 2 s for 1.5 s, a value rising 10 a second: the last frame at 4 a
// second is 3.25 s (local 1.25), so it leaves 12.5. The layer still running
// at the start draws in the first frame instead.
TEST(FinishedLayers, AValueLayerOverBeforeTheStartLeavesItsLastValue) {
  float ended = -1.0f, running = -1.0f;
  auto* over = new kst::BrushEnvelopeValue(&ended);
  auto* still = new kst::BrushEnvelopeValue(&running);
  for (kst::BrushEnvelopeValue* layer : {over, still}) {
    layer->value.addKey(0, 0, 0, 0, 0);
    layer->value.addKey(1, 10, 0, 0, 0);
    layer->value.setBehaviors(kBehaviorLinear);
  }
  over->duration = 1.5f;
  still->duration = 10.0f;
  kst::ActivateBrush(2.0f, over);
  kst::ActivateBrush(2.0f, still);
  shell::settleFinishedLayers(shell::ShowClock(4, 5.0));
  kst::ClearLayers();
  EXPECT_FLOAT_EQ(ended, 12.5f);
  EXPECT_EQ(running, -1.0f);
}

}  // namespace
