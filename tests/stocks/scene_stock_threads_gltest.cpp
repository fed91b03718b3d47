// Scenes in the scene stock. Read on loader threads of their own: what a
// layer's wait sees before, during and after a load, failed loads, loads
// side by side, unloads while a loader runs, and a texture a loader made
// drawn by the main context. Read at once: born finished, and files that
// cannot be read add nothing and say why.
#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>
#include <utility>

#include "persist/persistent_file.h"
#include "platform/manual_reset_event.h"
#include "render/gl_state_cache.h"
#include "render/gl_table.h"
#include "scene/texture_image.h"
#include "stocks/scene_loader.h"
#include "stocks/scene_stock.h"
#include "support/log_capture.h"
#include "support/picture_files.h"
#include "support/scene_files.h"
#include "support/shared_device.h"

namespace {

using namespace std::chrono_literals;
using State = kst::SceneStockEntry::State;

constexpr int kSide = 64;
constexpr std::uint32_t kNever = 60000;  // a wait that must end long before this

class SceneLoading : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(fake::sharedRenderDevice("scene loading", kSide, kSide)); }
  void TearDown() override {
    stock.clear();
    kst::setLoaderPause(nullptr);
  }

  std::string scene(const char* name, const persist::Colour& background, std::optional<fake::Texel> texel = {}) {
    const std::string path = folder + "/" + name;
    fake::saveTestScene(path, background, texel);
    return path;
  }
  kst::SceneStockEntry& entry(const std::string& file) {
    kst::SceneStockEntry* found = stock.get(file.c_str());
    EXPECT_NE(found, nullptr) << file;
    return *found;
  }
  // A background load of `file` whose loader, once started, waits for
  // `opened` before it reads.
  void startHeldLoad(const std::string& file) {
    kst::setLoaderPause([this](const std::string&) {
      held.set();
      opened.wait(kNever);
    });
    stock.load(file.c_str(), true);
    ASSERT_TRUE(held.wait(kNever));
  }
  // The background colour of the scene a layer would draw now.
  persist::Colour drawn(const std::string& file) {
    Scene* scene = stock.waitForScene(file.c_str());
    EXPECT_NE(scene, nullptr) << file;
    return scene != nullptr ? scene->backgroundColor : persist::Colour{};
  }

  std::string folder = fake::freshFolder("scene-loading");
  platform::ManualResetEvent held, opened;
  kst::SceneStock stock;
  const persist::Colour blue{0.0f, 0.0f, 1.0f, 1.0f};
  const persist::Colour green{0.0f, 1.0f, 0.0f, 1.0f};
};

TEST_F(SceneLoading, ALoadThatEndedBeforeTheFirstDrawIsUsedAndItsLoaderReleased) {
  const std::string file = scene("early.kst", blue);
  stock.load(file.c_str(), true);
  kst::SceneStockEntry& loading = entry(file);
  ASSERT_TRUE(loading.doneEvent->wait(kNever));
  EXPECT_EQ(loading.state(), State::Ready);
  EXPECT_EQ(drawn(file), blue);
  EXPECT_FALSE(loading.loader.joinable());
  EXPECT_EQ(loading.loaderContext, nullptr);
}

TEST_F(SceneLoading, ADrawDuringTheLoadWaitsForItThenDrawsTheScene) {
  const std::string file = scene("late.kst", green);
  startHeldLoad(file);
  ASSERT_EQ(entry(file).state(), State::Loading);
  std::thread opener([&] {
    std::this_thread::sleep_for(100ms);
    opened.set();
  });
  EXPECT_EQ(drawn(file), green);  // in this very call: it waited
  opener.join();
}

// A load still running after 10 s: that frame's wait gives up then, with
// no scene, and the next frame's wait finds it once it has been read.
TEST_F(SceneLoading, AWaitGivesUpAfterTenSecondsAndTheNextOneFindsTheScene) {
  const std::string file = scene("slow.kst", green);
  startHeldLoad(file);
  const auto before = std::chrono::steady_clock::now();
  EXPECT_EQ(stock.waitForScene(file.c_str()), nullptr);
  const auto waited = std::chrono::steady_clock::now() - before;
  EXPECT_GE(waited, 10s);
  EXPECT_LT(waited, 12s);
  EXPECT_EQ(entry(file).state(), State::Loading);
  opened.set();
  EXPECT_EQ(drawn(file), green);
}

TEST_F(SceneLoading, AMissingFileEndsTheFirstWaitWhenItFailsAndLaterOnesAtOnce) {
  fake::LogCapture log;
  const std::string file = folder + "/missing.kst";
  stock.load(file.c_str(), true);
  EXPECT_EQ(stock.waitForScene(file.c_str()), nullptr);
  // Signalled, not timed out: the event is set and the entry failed.
  EXPECT_EQ(entry(file).state(), State::Failed);
  EXPECT_EQ(stock.waitForScene(file.c_str()), nullptr);
  EXPECT_NE(log.text().find("missing.kst"), std::string::npos);

  // An entry without a scene unloads like any other.
  stock.unload(file.c_str());
  EXPECT_EQ(stock.get(file.c_str()), nullptr);
}

TEST_F(SceneLoading, TwoLoadsStartedInOneFrameRunSideBySide) {
  std::atomic<int> arrived{0};
  std::atomic<int> sawTheOther{0};
  // Each loader waits for the other to arrive: loads run one after the
  // other would never meet.
  kst::setLoaderPause([&](const std::string&) {
    ++arrived;
    for (int i = 0; i < 6000 && arrived < 2; ++i) std::this_thread::sleep_for(10ms);
    if (arrived == 2) ++sawTheOther;
  });
  const std::string first = scene("first.kst", blue);
  const std::string second = scene("second.kst", green);
  stock.load(first.c_str(), true);
  stock.load(second.c_str(), true);
  EXPECT_EQ(drawn(second), green);
  EXPECT_EQ(drawn(first), blue);
  EXPECT_EQ(sawTheOther, 2);
}

TEST_F(SceneLoading, UnloadingWhileTheLoaderRunsWaitsForIt) {
  platform::ManualResetEvent started;
  std::atomic<bool> ended{false};
  kst::setLoaderPause([&](const std::string&) {
    started.set();
    std::this_thread::sleep_for(200ms);
    ended = true;
  });
  const std::string file = scene("busy.kst", blue);
  stock.load(file.c_str(), true);
  ASSERT_TRUE(started.wait(kNever));
  stock.unload(file.c_str());
  EXPECT_TRUE(ended);
  EXPECT_EQ(stock.get(file.c_str()), nullptr);
}

TEST_F(SceneLoading, ATextureALoaderMadeIsDrawnByTheMainContext) {
  const fake::Texel texel{200, 40, 90, 255};
  const std::string file = scene("textured.kst", blue, texel);
  // The main context holds a texture of its own on unit 0, and its cache
  // knows it; the loader's uploads must leave both alone.
  GLuint own = 0;
  gl.glGenTextures(1, &own);
  glStateCache.BindTexture(0, static_cast<GLint>(own));

  stock.load(file.c_str(), true);
  Scene* loaded = stock.waitForScene(file.c_str());
  ASSERT_NE(loaded, nullptr);
  ASSERT_EQ(loaded->textures.size(), 1u);
  EXPECT_EQ(glStateCache.boundTexture[0], static_cast<GLint>(own));
  GLint bound = 0;
  gl.glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  EXPECT_EQ(bound, static_cast<GLint>(own));

  // The whole window, drawn with the texture in identity matrices.
  gl.glPushAttrib(GL_ENABLE_BIT);
  for (GLenum off : {GL_DEPTH_TEST, GL_CULL_FACE, GL_BLEND}) gl.glDisable(off);
  glStateCache.SetTextureMask(1);
  loaded->textures[0]->bind(0);
  gl.glBegin(GL_QUADS);
  for (const auto& [x, y] : {std::pair{-1, -1}, {1, -1}, {1, 1}, {-1, 1}}) {
    gl.glTexCoord2f(static_cast<float>(x + 1) / 2, static_cast<float>(y + 1) / 2);
    gl.glVertex2f(static_cast<float>(x), static_cast<float>(y));
  }
  gl.glEnd();
  glStateCache.SetTextureMask(0);
  gl.glPopAttrib();
  std::array<GLubyte, 4> pixel{};
  gl.glReadPixels(kSide / 2, kSide / 2, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel.data());
  for (int c = 0; c < 3; ++c) EXPECT_NEAR(pixel[c], texel[c], 2) << "channel " << c;

  glStateCache.BindTexture(0, 0);
  gl.glDeleteTextures(1, &own);
}

TEST_F(SceneLoading, ASceneReadAtOnceIsStoredFinishedUnderItsFileName) {
  const std::string file = scene("now.kst", green);
  stock.load(file.c_str(), false);

  kst::SceneStockEntry* entry = stock.get(file.c_str());
  ASSERT_NE(entry, nullptr);
  ASSERT_NE(entry->scene, nullptr);
  EXPECT_EQ(entry->scene->backgroundColor, green);
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

// A scene read ahead is read by its own thread while the caller goes on;
// the caller's thread uploads its textures and prepares it when it ends its
// loads. The reads' lines stand where they were asked for, and what the log
// held behind them goes out once the reads end, not when the scene is
// finished; a scene dropped before that is never uploaded or prepared.
TEST_F(SceneLoading, AScenesReadAheadIsFinishedByTheCallerAndHoldsTheLogOnlyWhileRead) {
  const std::string file = scene("ahead.kst", green, fake::Texel{10, 20, 30, 255});
  const std::string dropped = scene("dropped.kst", blue, fake::Texel{1, 2, 3, 255});
  const std::string missing = folder + "/missing-ahead.kst";
  fake::LogCapture log;
  kst::setLoaderPause([this](const std::string&) { opened.wait(kNever); });
  stock.loadAhead(file.c_str());
  stock.loadAhead(missing.c_str());
  stock.loadAhead(dropped.c_str());
  kst::log("after the reads were asked for");
  EXPECT_EQ(entry(file).state(), State::Loading);
  EXPECT_EQ(log.text().find("after the reads"), std::string::npos) << "waits behind the reads";
  opened.set();
  for (const std::string* read : {&file, &missing, &dropped}) ASSERT_TRUE(entry(*read).doneEvent->wait(kNever));
  EXPECT_EQ(entry(file).state(), State::Loading) << "read, not yet finished";
  const std::size_t failure = log.text().find("missing-ahead.kst"), after = log.text().find("after the reads");
  EXPECT_LT(failure, after) << log.text();
  EXPECT_NE(after, std::string::npos) << "out once the reads ended";
  stock.unload(dropped.c_str());
  EXPECT_EQ(log.text().find("RAM used for textures"), std::string::npos) << "nothing finished yet";
  stock.finishLoads();
  ASSERT_EQ(entry(file).state(), State::Ready);
  EXPECT_EQ(entry(missing).state(), State::Failed);
  const TextureImage& texture = *entry(file).scene->textures.at(0);
  EXPECT_NE(texture.glName, 0u);
  EXPECT_TRUE(gl.glIsTexture(texture.glName)) << "made in this thread's context";
  const std::string said = log.text();
  EXPECT_LT(after, said.find("ahead.kst, read ahead, is made ready")) << said;
  EXPECT_EQ(said.find("dropped.kst, read ahead"), std::string::npos) << said;
  EXPECT_EQ(said.find("RAM used for textures"), said.rfind("RAM used for textures")) << "one scene finished";
}

TEST_F(SceneLoading, AFileThatCannotBeOpenedOrReadAddsNothingAndSaysWhy) {
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
