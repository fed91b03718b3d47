// The scene, mesh and envelope layers at the level of GL calls: what they
// send, in which order, the frame state they leave, and what a missing
// scene, mesh or camera costs (no call, one warning per layer).
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <thread>

#include "layers/envelope_layers.h"
#include "layers/frame_state_replay.h"
#include "layers/layer_scenes.h"
#include "layers/layer_stack.h"
#include "layers/scene_layers.h"
#include "render/materials/mat_lit.h"
#include "stocks/mesh_stock.h"
#include "stocks/scene_stock.h"
#include "support/log_capture.h"
#include "support/recording_gl.h"
#include "support/scene_stand_ins.h"

namespace {

using layer_test::FrameState;

class SceneLayerCalls : public ::testing::Test {
 protected:
  SceneLayerCalls() {
    fake::RecordingGL::FillTable();
    kst::theMeshStock().add("mesh", standin::twoTriangleMesh("a", "b").release());  // framing radius 1
    auto scene = layer_test::squareScene({0.25f, 0.5f, 0.75f, 0.5f}, 2);
    scene->prepareAfterLoad("scene");
    kst::theSceneStock().add("scene", new kst::SceneStockEntry(std::move(scene)));
  }
  ~SceneLayerCalls() override {
    kst::theMeshStock().unload("mesh");
    kst::theSceneStock().unload("scene");
  }

  Scene& scene() { return *kst::theSceneStock().get("scene")->scene; }

  // Draws, then answers the frame state the calls leave behind.
  FrameState draw(kst::Brush& brush) {
    world.driver.clear();
    brush.Draw(0.5f);
    FrameState state;
    for (const std::string& line : world.driver.calls) state.replay(line);
    return state.frameSwitchesOnly();
  }

  std::size_t draws() const {
    return std::ranges::count_if(world.driver.calls, [](const std::string& line) { return line.starts_with("glDraw"); });
  }

  // Where `line` was first called; fails when it was not.
  std::size_t position(const std::string& line) const {
    const auto& calls = world.driver.calls;
    const auto found = std::ranges::find(calls, line);
    EXPECT_NE(found, calls.end()) << line;
    return static_cast<std::size_t>(found - calls.begin());
  }

  fake::FakeGLWorld world;
};

TEST_F(SceneLayerCalls, SceneLayerViewsFromTheTopStencilsAndLeavesTheFrameAsItFoundIt) {
  kst::BrushScene brush;
  brush.sceneName = "scene";
  brush.cameraIndex = 1;
  brush.stencilFunction = GL_EQUAL;
  brush.stencilReference = 1;
  brush.stencilMask = 0xff;
  for (auto [index, value] : {std::pair{0, 0.25f}, {1, 0.25f}, {2, 0.5f}, {3, 0.25f}})
    brush.parameters[index].defaultValue = value;
  const FrameState after = draw(brush);

  // Left 0.25 x 800, bottom (1 - 0.25 - 0.25) x 600, 400 x 150.
  const std::size_t viewport = position(fake::call("glViewport", 200, 300, 400, 150));
  const std::size_t stencil = position(fake::call("glStencilFunc", GL_EQUAL, 1, 0xffu));
  EXPECT_LT(stencil, position(fake::call("glStencilOp", GL_KEEP, GL_KEEP, GL_KEEP)));
  const std::size_t background = position(fake::call("glColor4f", 0.25f, 0.5f, 0.75f, 0.5f));
  const std::size_t scene = position(fake::call("glFrontFace", GL_CCW));  // the scene's render list
  EXPECT_LT(viewport, background);
  EXPECT_LT(stencil, background);
  EXPECT_LT(background, scene);
  EXPECT_EQ(this->scene().currentCamera, 1);
  EXPECT_EQ(after, FrameState{});

  brush.visible = false;
  draw(brush);
  EXPECT_TRUE(world.driver.calls.empty());
}

TEST_F(SceneLayerCalls, MeshLayerScalesByTheFactorAndTurnsZThenYThenX) {
  kst::Mat_Lit material;
  kst::BrushMesh brush;
  brush.meshName = "mesh";
  brush.materials = {&material};
  brush.distanceFactor.defaultValue = 0.5f;
  brush.rotationX.defaultValue = 10;
  brush.rotationY.defaultValue = 20;
  brush.rotationZ.defaultValue = 30;
  const FrameState after = draw(brush);

  const std::size_t scale = position(fake::call("glScalef", 2.0f, 2.0f, 1.0f));
  const std::size_t z = position(fake::call("glRotatef", 30.0f, 0.0f, 0.0f, 1.0f));
  const std::size_t y = position(fake::call("glRotatef", 20.0f, 0.0f, 1.0f, 0.0f));
  const std::size_t x = position(fake::call("glRotatef", 10.0f, 1.0f, 0.0f, 0.0f));
  EXPECT_LT(scale, z);
  EXPECT_LT(z, y);
  EXPECT_LT(y, x);
  EXPECT_EQ(draws(), 2u);  // one chunk per surface
  EXPECT_EQ(after, FrameState{});
}

TEST_F(SceneLayerCalls, MeshInSceneLooksThroughTheCurrentCameraAndDeletesItsMaterials) {
  struct Counted : kst::Mat_Lit {
    explicit Counted(int& deleted) : deleted(deleted) {}
    ~Counted() override { ++deleted; }
    int& deleted;
  };
  int deleted = 0;
  scene().currentCamera = 0;
  {
    kst::BrushMeshInScene brush;
    brush.sceneName = "scene";
    brush.meshName = "mesh";
    brush.materials.push_back(std::make_unique<Counted>(deleted));
    brush.materials.push_back(std::make_unique<Counted>(deleted));
    EXPECT_EQ(draw(brush), FrameState{});
    EXPECT_EQ(draws(), 2u);
  }
  EXPECT_EQ(deleted, 2);
}

TEST_F(SceneLayerCalls, WhatTheStocksCannotSupplyDrawsNothingAndWarnsOncePerLayer) {
  kst::BrushScene missingScene, missingCamera;
  missingScene.sceneName = "nowhere.kst";
  missingCamera.sceneName = "scene";
  missingCamera.cameraIndex = 2;
  kst::BrushMesh missingMesh;
  missingMesh.meshName = "nowhere.lwo";
  kst::BrushMeshInScene noCurrentCamera, missingSceneOfMesh, missingMeshInScene;
  noCurrentCamera.sceneName = missingMeshInScene.sceneName = "scene";
  noCurrentCamera.meshName = missingSceneOfMesh.meshName = "mesh";
  missingSceneOfMesh.sceneName = "nowhere.kst";
  missingMeshInScene.meshName = "nowhere.lwo";
  kst::BrushEnvelopeZoomFactor zoomPastCameras;
  zoomPastCameras.sceneName = "scene";
  zoomPastCameras.cameraIndex = 2;

  for (kst::Brush* brush : std::initializer_list<kst::Brush*>{&missingScene, &missingCamera, &missingMesh,
                                                              &noCurrentCamera, &missingSceneOfMesh,
                                                              &zoomPastCameras}) {
    fake::LogCapture log;
    draw(*brush);
    draw(*brush);
    EXPECT_TRUE(world.driver.calls.empty()) << world.driver.calls.front();
    EXPECT_EQ(log.lines().size(), 1u) << log.text();
    EXPECT_NE(log.text().find("** Warning:"), std::string::npos) << log.text();
  }
  // Only once the scene has a current camera does the missing mesh count.
  scene().currentCamera = 0;
  fake::LogCapture log;
  draw(missingMeshInScene);
  EXPECT_TRUE(world.driver.calls.empty());
  EXPECT_NE(log.text().find("nowhere.lwo"), std::string::npos) << log.text();
}

// A mesh layer whose scene is missing says which mesh it goes without.
TEST_F(SceneLayerCalls, AMeshInSceneWithoutItsSceneNamesBoth) {
  kst::BrushMeshInScene lost;
  lost.meshName = "demo\\light.lwo";
  lost.sceneName = "demo\\gone.kst";
  fake::LogCapture log;
  draw(lost);
  EXPECT_NE(log.text().find("scene \"demo/gone.kst\" is not loaded: the layer of mesh \"demo/light.lwo\""),
            std::string::npos)
      << log.text();
}

// A scene whose background load is still running when a layer draws: it
// arrives 300 ms later. A layer that waits sees it arrive and draws or
// zooms; one that does not leaves it alone.
class SceneStillLoading : public SceneLayerCalls {
 protected:
  SceneStillLoading() : entry(new kst::SceneStockEntry), arriving(layer_test::squareScene({0, 0, 0, 1}).release()) {
    entry->doneEvent = std::make_unique<platform::ManualResetEvent>();
    kst::theSceneStock().add("loading", entry);
    entry->loader = std::thread([entry = entry, arriving = arriving] {
      std::this_thread::sleep_for(std::chrono::milliseconds(300));
      entry->scene.reset(arriving);
      entry->doneEvent->set();
    });
  }
  ~SceneStillLoading() override { kst::theSceneStock().unload("loading"); }

  kst::SceneStockEntry* entry;
  Scene* arriving;
};

TEST_F(SceneStillLoading, SceneLayerWaitsForItAndDrawsItThatFrame) {
  kst::BrushScene brush;
  brush.sceneName = "loading";
  draw(brush);
  position(fake::call("glFrontFace", GL_CCW));  // the scene's render list ran
}

TEST_F(SceneStillLoading, ZoomDoesNotWaitForIt) {
  kst::BrushEnvelopeZoomFactor zoom;
  zoom.sceneName = "loading";
  zoom.zoom.defaultValue = 4;
  zoom.Draw(0);
  entry->endLoader();
  EXPECT_FLOAT_EQ(arriving->cameras[0]->nearDistance(), 1.0f);
}

// Reads a float another layer writes, the way a sample strip reads its offset.
class Reader : public kst::Brush {
 public:
  explicit Reader(std::vector<float>& seen) : seen_(seen) {}
  void Draw(float) override { seen_.push_back(value); }
  float value = -1;

 private:
  std::vector<float>& seen_;
};

TEST(EnvelopeValueLayer, ReadersAboveSeeThisFramesValueAndReadersBelowTheLastOnes) {
  for (int writerLayer : {0, 5}) {
    SCOPED_TRACE(writerLayer);
    std::vector<float> seen;
    auto* reader = new Reader(seen);
    reader->layer = 2;
    auto* writer = new kst::BrushEnvelopeValue(&reader->value);
    writer->layer = writerLayer;
    writer->value.addKey(0, 0, 0, 0, 0).shape = kShapeLinear;
    writer->value.addKey(10, 10, 0, 0, 0).shape = kShapeLinear;  // the value is the local time
    kst::ActivateBrush(0, reader);
    kst::ActivateBrush(0, writer);
    kst::DrawLayers(0.5f);
    kst::DrawLayers(1.0f);
    kst::ClearLayers();
    const std::vector<float> expected = writerLayer == 0 ? std::vector<float>{0.5f, 1.0f} : std::vector<float>{-1, 0.5f};
    EXPECT_EQ(seen, expected);
  }
}

}  // namespace
