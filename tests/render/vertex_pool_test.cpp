#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "render/gl_state_cache.h"
#include "render/gl_table.h"
#include "support/recording_gl.h"

namespace {

using Strings = std::vector<std::string>;
constexpr int kPoolBytes = 0xC00000;  // 12 MiB

class VertexPoolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fake::RecordingGL::FillTable();
    world.driver.on<GLEntryId::wglAllocateMemoryNV>([this](int bytes, float, float, float priority) -> void* {
      const bool grant = bytes == kPoolBytes && (priority == 1.0f || !onlyAtFullPriority);
      return grant && memoryAvailable ? memory.data() : nullptr;
    });
  }

  std::string allocation(float priority) const {
    return fake::call("wglAllocateMemoryNV", kPoolBytes, 0.0f, 0.0f, priority);
  }

  std::uint8_t* at(std::size_t offset) { return memory.data() + offset; }

  fake::FakeGLWorld world;
  std::vector<std::uint8_t> memory = std::vector<std::uint8_t>(kPoolBytes);
  bool memoryAvailable = true;
  bool onlyAtFullPriority = false;
  GLStateCache cache;
};

TEST_F(VertexPoolTest, NeedsBothVertexArrayRangeGroups) {
  for (GLCap missing : {GLCap::NV_vertex_array_range, GLCap::NV_vertex_array_range2}) {
    SetGLCapability(GLCap::NV_vertex_array_range, 1);
    SetGLCapability(GLCap::NV_vertex_array_range2, 1);
    SetGLCapability(missing, 0);
    EXPECT_EQ(cache.CreatePool(), 0);
    EXPECT_EQ(cache.pool, nullptr);
    EXPECT_EQ(cache.Allocate(16), nullptr);
  }
  EXPECT_TRUE(world.driver.calls.empty());
}

TEST_F(VertexPoolTest, AsksForTwelveMebibytesAndHandsTheRangeToGL) {
  EXPECT_EQ(cache.CreatePool(), 1);
  EXPECT_EQ(world.driver.calls, (Strings{allocation(0.5f), fake::call("glVertexArrayRangeNV", kPoolBytes, at(0))}));
}

TEST_F(VertexPoolTest, FallsBackToFullPriority) {
  onlyAtFullPriority = true;
  EXPECT_EQ(cache.CreatePool(), 1);
  EXPECT_EQ(world.driver.calls, (Strings{allocation(0.5f), allocation(1.0f),
                                         fake::call("glVertexArrayRangeNV", kPoolBytes, at(0))}));
}

TEST_F(VertexPoolTest, NoDriverMemoryMeansNoPool) {
  memoryAvailable = false;
  EXPECT_EQ(cache.CreatePool(), 0);
  EXPECT_EQ(world.driver.calls, (Strings{allocation(0.5f), allocation(1.0f)}));
  EXPECT_EQ(cache.Allocate(16), nullptr);
}

TEST_F(VertexPoolTest, BlocksStartOnTheNext32ByteBoundaryPastTheLast) {
  ASSERT_EQ(cache.CreatePool(), 1);
  EXPECT_EQ(cache.Allocate(10), at(0));
  EXPECT_EQ(cache.Allocate(32), at(32));  // 10 bytes still take a whole step
  EXPECT_EQ(cache.Allocate(1), at(96));   // an exact multiple is followed by a gap
  EXPECT_EQ(cache.Allocate(31), at(128));
  EXPECT_EQ(cache.Allocate(0), at(160));
  EXPECT_EQ(cache.Allocate(0), at(192));
}

TEST_F(VertexPoolTest, FullPoolGivesNull) {
  ASSERT_EQ(cache.CreatePool(), 1);
  EXPECT_EQ(cache.Allocate(kPoolBytes - 64), at(0));
  EXPECT_EQ(cache.Allocate(33), nullptr);
  EXPECT_EQ(cache.Allocate(32), at(kPoolBytes - 32));  // exactly what is left
  EXPECT_EQ(cache.Allocate(1), nullptr);
  EXPECT_EQ(cache.Allocate(0xFFFFFFFFu), nullptr);
}

TEST_F(VertexPoolTest, ReleasingThePoolEndsTheRangeAndFreesTheMemory) {
  ASSERT_EQ(cache.CreatePool(), 1);
  cache.pool->EnableRange();
  cache.pool->EnableRange();
  EXPECT_EQ(world.driver.count("glEnableClientState"), 1u);
  world.driver.clear();
  cache.Reset();
  EXPECT_EQ(cache.pool, nullptr);
  EXPECT_EQ(world.driver.calls, (Strings{fake::call("glDisableClientState", GL_VERTEX_ARRAY_RANGE_NV),
                                         fake::call("wglFreeMemoryNV", at(0))}));
}

}  // namespace
