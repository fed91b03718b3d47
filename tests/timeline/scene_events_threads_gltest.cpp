// The events that load scenes in the background and unload scenes and
// meshes, fired by the timeline as frames pass.
#include <gtest/gtest.h>

#include "lightwave/lwo_samples.h"
#include "stocks/mesh_stock.h"
#include "stocks/scene_stock.h"
#include "support/picture_files.h"
#include "support/scene_files.h"
#include "support/shared_device.h"
#include "timeline/scene_events.h"
#include "timeline_fixture.h"

namespace {

class SceneEvents : public fake::TimeLineFixture {
 protected:
  void SetUp() override {
    ASSERT_TRUE(fake::sharedRenderDevice("scene events", 64, 64));
    fake::TimeLineFixture::SetUp();
  }
  void TearDown() override {
    fake::TimeLineFixture::TearDown();
    kst::theSceneStock().clear();
    kst::theMeshStock().clear();
  }
  std::string folder = fake::freshFolder("scene-events");
};

TEST_F(SceneEvents, ASceneIsInTheStockFromItsLoadEventToItsUnloadEvent) {
  const std::string file = folder + "/shown.kst";
  const persist::Colour grey{0.5f, 0.5f, 0.5f, 1.0f};
  fake::saveTestScene(file, grey);
  new kst::EvtLoadScene(1.0f, file);
  new kst::EvtUnloadScene(3.0f, file);
  kst::SceneStock& stock = kst::theSceneStock();

  frameAt(0.9f);
  EXPECT_EQ(stock.get(file.c_str()), nullptr);
  frameAt(1.0f);
  ASSERT_NE(stock.get(file.c_str()), nullptr);
  Scene* scene = stock.waitForScene(file.c_str());
  ASSERT_NE(scene, nullptr);
  EXPECT_EQ(scene->backgroundColor, grey);
  frameAt(2.9f);
  EXPECT_NE(stock.get(file.c_str()), nullptr);
  frameAt(3.0f);
  EXPECT_EQ(stock.get(file.c_str()), nullptr);
}

TEST_F(SceneEvents, UnloadingAMeshNeverLoadedDoesNothing) {
  const std::string file = folder + "/kept.lwo";
  ASSERT_TRUE(LW::SaveLwo2(file, lwtest::square()));
  kst::MeshStock& stock = kst::theMeshStock();
  MeshPrimitive* mesh = stock.loadObject(file.c_str(), nullptr, nullptr);
  new kst::EvtUnloadMesh(1.0f, folder + "/never.lwo");
  new kst::EvtUnloadMesh(2.0f, file);

  frameAt(1.0f);
  EXPECT_EQ(stock.get(file.c_str()), mesh);
  EXPECT_EQ(stock.size(), 1u);
  frameAt(2.0f);
  EXPECT_EQ(stock.get(file.c_str()), nullptr);
}

}  // namespace
