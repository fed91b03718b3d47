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

namespace {

// A probe that answers the stack's questions as told: "cover" paints the
// whole frame (from local time 1 on), "paint" only paints, "read" reads the
// depth or stencil earlier brushes left.
class Painter : public Probe {
 public:
  Painter(Journal& journal, std::string name, int layerNumber, std::string traits, float lifetime = 0.0f)
      : Probe(journal, std::move(name), layerNumber, lifetime), traits_(std::move(traits)) {}
  bool CoversFrame(float localTime) const override { return has("cover") && localTime >= 1.0f; }
  bool OnlyPaints() const override { return has("paint"); }
  bool ReadsEarlierDepthOrStencil() const override { return has("read"); }

 private:
  bool has(const char* trait) const { return traits_.find(trait) != std::string::npos; }
  std::string traits_;
};

struct CoverCase {
  const char* label;
  // Each brush as "name:layer:traits", activated at 0 in this order.
  std::vector<std::string> brushes;
  float time;
  Journal drawn;
};

void PrintTo(const CoverCase& cover, std::ostream* out) { *out << cover.label; }

class CoveredBrushTest : public LayerStackTest, public ::testing::WithParamInterface<CoverCase> {};

// Brushes whose whole picture a later one paints over are left out, unless
// they do more than paint or a brush after the cover reads what they left.
TEST_P(CoveredBrushTest, OnlyBrushesNobodySeesAreLeftOut) {
  for (const std::string& brush : GetParam().brushes) {
    const std::size_t first = brush.find(':'), second = brush.find(':', first + 1);
    const int layerNumber = std::stoi(brush.substr(first + 1, second - first - 1));
    // "gone" brushes have run out by the frame's time.
    const float lifetime = brush.find("gone") != std::string::npos ? 1.0f : 0.0f;
    stack.ActivateBrush(0.0f, new Painter(journal, brush.substr(0, first), layerNumber, brush.substr(second + 1),
                                          lifetime));
  }
  stack.DrawLayers(GetParam().time);
  std::erase_if(journal, [](const std::string& line) { return line.starts_with("~"); });
  EXPECT_EQ(journal, GetParam().drawn);
}

INSTANTIATE_TEST_SUITE_P(
    Layers, CoveredBrushTest,
    ::testing::Values(
        CoverCase{"a cover hides the painters drawn before it, in its layer and below",
                  {"A:0:paint", "B:0:paint", "C:1:paint", "D:1:cover paint", "E:2:paint"}, 2.0f, {"D@2", "E@2"}},
        CoverCase{"brushes that do more than paint still draw", {"A:0:paint", "V:0:", "D:0:cover paint"}, 2.0f,
                  {"V@2", "D@2"}},
        CoverCase{"the last cover counts", {"A:0:paint", "D:0:cover paint", "B:0:paint", "F:0:cover paint"}, 2.0f,
                  {"F@2"}},
        CoverCase{"not yet a cover", {"A:0:paint", "D:0:cover paint"}, 0.5f, {"A@0.5", "D@0.5"}},
        CoverCase{"a reader after the cover keeps everything", {"A:0:paint", "D:0:cover paint", "R:3:paint read"},
                  2.0f, {"A@2", "D@2", "R@2"}},
        CoverCase{"a reader before a later cover is hidden too",
                  {"A:0:paint", "R:1:paint read", "D:2:cover paint", "E:3:paint"}, 2.0f, {"D@2", "E@2"}},
        CoverCase{"a finished reader reads nothing", {"A:0:paint", "D:0:cover paint", "R:3:paint read gone"}, 2.0f,
                  {"D@2"}},
        CoverCase{"a finished cover covers nothing", {"A:0:paint", "D:0:cover paint gone"}, 2.0f, {"A@2"}}));

}  // namespace
