// Scenes read at once into the scene stock: born finished (no event, no
// loader), and files that cannot be read add nothing and say why.
#include <gtest/gtest.h>

#include <cstdio>

#include "persist/persistent_file.h"
#include "stocks/scene_stock.h"
#include "support/log_capture.h"
#include "support/picture_files.h"
#include "support/scene_files.h"
#include "support/shared_device.h"

namespace {

using State = kst::SceneStockEntry::State;

class SceneStockTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(fake::sharedRenderDevice("scene stock", 64, 64)); }

  std::string folder = fake::freshFolder("scene-stock");
  kst::SceneStock stock;
};

TEST_F(SceneStockTest, ASceneReadAtOnceIsStoredFinishedUnderItsFileName) {
  const std::string file = folder + "/now.kst";
  const persist::Colour red{1.0f, 0.0f, 0.0f, 1.0f};
  fake::saveTestScene(file, red);
  stock.load(file.c_str(), false);

  kst::SceneStockEntry* entry = stock.get(file.c_str());
  ASSERT_NE(entry, nullptr);
  ASSERT_NE(entry->scene, nullptr);
  EXPECT_EQ(entry->scene->backgroundColor, red);
  EXPECT_EQ(entry->doneEvent, nullptr);
  EXPECT_EQ(entry->loaderContext, nullptr);
  EXPECT_TRUE(entry->fileName.empty());
  EXPECT_EQ(entry->state(), State::Ready);
  EXPECT_EQ(stock.waitForScene(file.c_str()), entry->scene.get());

  // Loading the name again in the background keeps the entry as it is.
  stock.load(file.c_str(), true);
  EXPECT_EQ(stock.get(file.c_str()), entry);
  EXPECT_EQ(entry->doneEvent, nullptr);
}

TEST_F(SceneStockTest, AFileThatCannotBeOpenedOrReadAddsNothingAndSaysWhy) {
  const std::string damaged = folder + "/damaged.kst";
  FILE* out = std::fopen(damaged.c_str(), "wb");
  persistent_file store(out, persistent_file::Writing, true);
  const char record[] = "class Nowhere\0\0";  // a class no factory makes
  store.write(record, 1, sizeof record);
  ASSERT_TRUE(store.close());
  const std::string missing = folder + "/missing.kst";

  fake::LogCapture log;
  stock.load(damaged.c_str(), false);
  stock.load(missing.c_str(), false);
  EXPECT_EQ(stock.size(), 0u);
  const std::string said = log.text();
  EXPECT_NE(said.find("damaged.kst"), std::string::npos) << said;
  EXPECT_NE(said.find("persistent::exception 2"), std::string::npos) << said;
  EXPECT_NE(said.find("missing.kst"), std::string::npos) << said;
}

}  // namespace
