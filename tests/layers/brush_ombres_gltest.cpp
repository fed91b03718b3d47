// The shadow layer at the level of its draws: before 4.4 s only the central
// mesh and its volume; every object adds its mesh and its volume; the frame
// state is as it was, and a missing mesh draws nothing with one warning.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

#include "layers/brush_ombres.h"
#include "layers/shadow_meshes.h"
#include "render/gl_state_cache.h"
#include "render/gl_table.h"
#include "render/materials/mat_lit.h"
#include "scene/mesh/mesh_primitive.h"
#include "shell/frame_state.h"
#include "stocks/mesh_stock.h"
#include "support/log_capture.h"
#include "support/shared_device.h"

namespace {

// Draw calls by primitive mode, counted on their way to the driver.
std::map<GLenum, int> draws;
decltype(gl.glDrawElements) realDrawElements;
decltype(gl.glDrawRangeElementsEXT) realDrawRange;

void countDrawElements(GLenum mode, GLsizei count, GLenum type, const void* indices) {
  ++draws[mode];
  realDrawElements(mode, count, type, indices);
}
void countDrawRange(GLenum mode, GLuint start, GLuint end, GLsizei count, GLenum type, const void* indices) {
  ++draws[mode];
  realDrawRange(mode, start, end, count, type, indices);
}

void stockBox(const char* name) {
  auto mesh = std::make_unique<MeshPrimitive>();
  mesh->source = shadow_test::box({-0.5f, -0.5f, -0.5f}, {0.5f, 0.5f, 0.5f});
  mesh->build(true, kst::RobustMesh::kBuildNormals | kst::RobustMesh::kBuildTopology);
  kst::theMeshStock().add(name, mesh.release());
}

class BrushOmbresDraws : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(fake::sharedRenderDevice("Skyward shadow layer test", 800, 600));
    glStateCache.Reset();
    stockBox("central.lwo");
    stockBox("object.lwo");
    realDrawElements = gl.glDrawElements;
    realDrawRange = gl.glDrawRangeElementsEXT;
    gl.glDrawElements = countDrawElements;
    if (realDrawRange != nullptr) gl.glDrawRangeElementsEXT = countDrawRange;
    layer.centralMeshName = "central.lwo";
    layer.objectMeshNames = {"object.lwo"};
    layer.baseMaterials = {&material};
    layer.objectMaterials = {&material};
  }
  void TearDown() override {
    gl.glDrawElements = realDrawElements;
    gl.glDrawRangeElementsEXT = realDrawRange;
    kst::theMeshStock().clear();
  }
  // Draws per mode for one frame at local time t.
  std::map<GLenum, int> frameAt(float t) {
    shell::ResetFrameState();
    draws.clear();
    layer.Draw(t);
    return draws;
  }

  kst::Mat_Lit material;
  kst::BrushOmbres layer;
};

TEST_F(BrushOmbresDraws, ObjectsJoinFromFourPointFourSecondsEachWithItsVolume) {
  // Both meshes are the same box: a mesh pass draws `box` triangle calls.
  const auto early = frameAt(4.3f);
  EXPECT_EQ(early.at(GL_QUADS), 2);  // one volume, front then back
  const int box = early.at(GL_TRIANGLES) / 2;  // unlit and lit pass
  ASSERT_GT(box, 0);
  const auto one = frameAt(4.5f);
  EXPECT_EQ(one.at(GL_QUADS), 4);
  EXPECT_EQ(one.at(GL_TRIANGLES), 4 * box);
  const auto all = frameAt(30.0f);
  EXPECT_EQ(all.at(GL_QUADS), 2 * 49);
  EXPECT_EQ(all.at(GL_TRIANGLES), 2 * 49 * box);

  EXPECT_FALSE(gl.glIsEnabled(GL_LIGHT0));
  EXPECT_FALSE(gl.glIsEnabled(GL_STENCIL_TEST));
  GLint viewport[4];
  gl.glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[2], 800);
  EXPECT_EQ(viewport[3], 600);
}

TEST_F(BrushOmbresDraws, AMeshMissingOrUnloadedDrawsNothingWithOneWarning) {
  fake::LogCapture log;
  layer.Draw(30.0f);
  kst::theMeshStock().unload("object.lwo");
  stockBox("object.lwo");  // a new mesh under the old name: the caster's is gone
  const auto objectsGone = frameAt(30.0f);
  EXPECT_EQ(objectsGone.at(GL_QUADS), 2);
  kst::theMeshStock().unload("central.lwo");
  EXPECT_TRUE(frameAt(31.0f).empty());
  EXPECT_TRUE(frameAt(32.0f).empty());
  const std::string text = log.text();
  const auto first = text.find("** Warning");
  ASSERT_NE(first, std::string::npos);
  EXPECT_NE(text.find("central.lwo", first), std::string::npos);
  EXPECT_EQ(text.find("** Warning", first + 1), std::string::npos);
}

}  // namespace
