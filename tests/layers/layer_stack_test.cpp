// The compositor: drawing order, local times, and when brushes leave the
// stack (and whether they are deleted).
#include "layers/layer_stack.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "support/log_capture.h"

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

// What the brushes saw: "name@local" for each draw, "~name" for each delete.
using Journal = std::vector<std::string>;

class Probe : public kst::Brush {
 public:
  Probe(Journal& journal, std::string name, int layerNumber, float lifetime = 0.0f)
      : journal_(journal), name_(std::move(name)) {
    layer = layerNumber;
    duration = lifetime;
  }
  ~Probe() override { journal_.push_back("~" + name_); }
  void Draw(float localTime) override {
    char local[32];
    std::snprintf(local, sizeof local, "%g", localTime);
    journal_.push_back(name_ + "@" + local);
  }

 private:
  Journal& journal_;
  std::string name_;
};

class LayerStackTest : public ::testing::Test {
 protected:
  void TearDown() override { stack.ClearLayers(); }
  Probe* probe(std::string name, int layerNumber, float lifetime = 0.0f) {
    return new Probe(journal, std::move(name), layerNumber, lifetime);
  }
  Journal journal;
  kst::LayerStack stack;
};

TEST_F(LayerStackTest, DrawsLayersUpwardsAndEachLayerInActivationOrder) {
  stack.ActivateBrush(5.0f, probe("A", 2));
  stack.ActivateBrush(1.0f, probe("B", 2));
  stack.ActivateBrush(0.0f, probe("C", 3));
  stack.ActivateBrush(7.0f, probe("D", 0));
  stack.ActivateBrush(9.0f, probe("E", 7));
  stack.DrawLayers(10.0f);
  EXPECT_THAT(journal, ElementsAre("D@3", "A@5", "B@9", "C@10", "E@1"));
}

TEST_F(LayerStackTest, ALateActivationDrawsWithItsScheduledLocalTimeAtOnce) {
  stack.ActivateBrush(42.5f, probe("late", 1));
  stack.DrawLayers(43.0f);
  EXPECT_THAT(journal, ElementsAre("late@0.5"));
}

TEST_F(LayerStackTest, AFinishedBrushIsDeletedInsteadOfDrawnAndTheOthersStillDraw) {
  stack.ActivateBrush(10.0f, probe("short", 4, 5.0f));
  stack.ActivateBrush(10.0f, probe("after", 4));
  stack.DrawLayers(14.5f);
  stack.DrawLayers(15.0f);
  stack.DrawLayers(16.0f);
  EXPECT_THAT(journal, ElementsAre("short@4.5", "after@4.5", "~short", "after@5", "after@6"));
}

TEST_F(LayerStackTest, AFinishedBrushWithoutTheDeleteFlagIsOnlyUnlinked) {
  std::unique_ptr<Probe> kept(probe("kept", 2, 1.0f));
  kept->deleteWhenFinished = false;
  stack.ActivateBrush(0.0f, kept.get());
  stack.DrawLayers(0.5f);
  stack.DrawLayers(1.0f);
  stack.DrawLayers(2.0f);
  EXPECT_THAT(journal, ElementsAre("kept@0.5"));
  kept.reset();  // still ours: the stack forgot it
  EXPECT_THAT(journal, ElementsAre("kept@0.5", "~kept"));
}

TEST_F(LayerStackTest, DurationZeroIsNeverRemoved) {
  stack.ActivateBrush(0.0f, probe("forever", 5));
  stack.DrawLayers(1.0e6f);
  stack.DrawLayers(2.0e6f);
  EXPECT_THAT(journal, ElementsAre("forever@1e+06", "forever@2e+06"));
}

TEST_F(LayerStackTest, AnEmptyStackDoesNothing) {
  stack.DrawLayers(3.0f);
  stack.ClearLayers();
  EXPECT_THAT(journal, IsEmpty());
}

TEST_F(LayerStackTest, ClearLayersDeletesEveryListedBrushWhateverItsFlag) {
  stack.ActivateBrush(0.0f, probe("a", 0));
  Probe* kept = probe("b", 6);
  kept->deleteWhenFinished = false;
  stack.ActivateBrush(0.0f, kept);
  stack.ClearLayers();
  stack.DrawLayers(1.0f);
  EXPECT_THAT(journal, ElementsAre("~a", "~b"));
}

TEST_F(LayerStackTest, LayerNumbersOutsideTheStackAreRefusedWithAWarning) {
  for (int layerNumber : {-1, 8}) {
    std::unique_ptr<Probe> stray(probe("stray", layerNumber));
    fake::LogCapture log;
    stack.ActivateBrush(0.0f, stray.get());
    const std::string warning = log.text();
    EXPECT_THAT(warning, HasSubstr("** Warning:"));
    EXPECT_THAT(warning, HasSubstr("layer number " + std::to_string(layerNumber)));
    stack.DrawLayers(1.0f);
  }
  EXPECT_THAT(journal, ElementsAre("~stray", "~stray"));  // never drawn, deleted by us
}

TEST_F(LayerStackTest, ASecondActivationOfAListedBrushIsRefused) {
  Probe* once = probe("once", 1, 2.0f);
  stack.ActivateBrush(0.0f, once);
  {
    fake::LogCapture log;
    stack.ActivateBrush(1.0f, once);
    EXPECT_THAT(log.text(), HasSubstr("already active"));
  }
  stack.DrawLayers(1.5f);
  stack.DrawLayers(2.5f);  // deleted exactly once
  EXPECT_THAT(journal, ElementsAre("once@1.5", "~once"));
}

TEST_F(LayerStackTest, DestroyingTheStackFreesNodesButKeepsTheBrushes) {
  std::unique_ptr<Probe> survivor(probe("survivor", 3));
  {
    kst::LayerStack doomed;
    doomed.ActivateBrush(0.0f, survivor.get());
  }
  EXPECT_THAT(journal, IsEmpty());
}

TEST_F(LayerStackTest, TheProgramsStackIsReachedThroughTheFreeFunctions) {
  kst::ActivateBrush(1.0f, probe("global", 0));
  kst::DrawLayers(3.0f);
  kst::ClearLayers();
  kst::DrawLayers(4.0f);
  EXPECT_THAT(journal, ElementsAre("global@2", "~global"));
}

}  // namespace
