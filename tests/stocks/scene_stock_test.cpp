// A background load that cannot have a loader context reads its scene at
// once, on the calling thread, and says why.
#include <gtest/gtest.h>

#include "persist/class_registration.h"
#include "stocks/scene_stock.h"
#include "support/log_capture.h"
#include "support/picture_files.h"
#include "support/recording_gl.h"
#include "support/scene_files.h"

namespace {

// No device here, so no context to share with a loader.
TEST(SceneStock, WithoutALoaderContextABackgroundLoadReadsTheSceneAtOnce) {
  fake::FakeGLWorld world;
  fake::RecordingGL::FillTable();
  RegisterClassFactories();
  const std::string file = fake::freshFolder("scene-stock") + "/green.kst";
  const persist::Colour green{0.0f, 1.0f, 0.0f, 1.0f};
  fake::saveTestScene(file, green);
  fake::LogCapture log;
  kst::SceneStock stock;
  stock.load(file.c_str(), true);
  kst::SceneStockEntry* entry = stock.get(file.c_str());
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry->state(), kst::SceneStockEntry::State::Ready);
  EXPECT_EQ(entry->doneEvent, nullptr);
  ASSERT_NE(entry->scene, nullptr);
  EXPECT_EQ(entry->scene->backgroundColor, green);
  EXPECT_NE(log.text().find("no loader context for scene " + file), std::string::npos) << log.text();
}

// Taken back after a move back, a scene is the one read before, put back
// as it was read: the camera the last tour switched to is forgotten.
TEST(SceneStock, ASceneTakenBackIsPutBackAsItWasRead) {
  fake::FakeGLWorld world;
  fake::RecordingGL::FillTable();
  RegisterClassFactories();
  const std::string file = fake::freshFolder("scene-stock-back") + "/green.kst";
  fake::saveTestScene(file, {0.0f, 1.0f, 0.0f, 1.0f});
  kst::SceneStock stock;
  stock.load(file.c_str(), false);
  Scene* read = stock.loadedScene(file.c_str());
  ASSERT_NE(read, nullptr);
  read->currentCamera = 2;
  read->pendingCamera = 1;
  stock.setAside();
  stock.load(file.c_str(), false);
  stock.dropAside();
  EXPECT_EQ(stock.loadedScene(file.c_str()), read);
  EXPECT_EQ(read->currentCamera, -1);
  EXPECT_EQ(read->pendingCamera, -1);
}

}  // namespace
