// The shadow layer at the level of its GL calls: before 4.4 s only the
// central mesh and its volume; every object adds its mesh and its volume;
// the light, the stencil test and the viewport are put back; a missing mesh
// is said once, with what it leaves out.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>

#include "layers/brush_ombres.h"
#include "layers/shadow_meshes.h"
#include "render/materials/mat_lit.h"
#include "scene/mesh/mesh_primitive.h"
#include "stocks/mesh_stock.h"
#include "support/log_capture.h"
#include "support/recording_gl.h"

namespace {

void stockBox(const char* name) {
  auto mesh = std::make_unique<MeshPrimitive>();
  mesh->source = shadow_test::box({-0.5f, -0.5f, -0.5f}, {0.5f, 0.5f, 0.5f});
  mesh->build(true, kst::RobustMesh::kBuildNormals | kst::RobustMesh::kBuildTopology);
  kst::theMeshStock().add(name, mesh.release());
}

class BrushOmbresCalls : public ::testing::Test {
 protected:
  BrushOmbresCalls() {
    fake::RecordingGL::FillTable();
    stockBox("central.lwo");
    stockBox("object.lwo");
    layer.centralMeshName = "central.lwo";
    layer.objectMeshNames = {"object.lwo"};
    layer.baseMaterials = {&material};
    layer.objectMaterials = {&material};
  }
  ~BrushOmbresCalls() override { kst::theMeshStock().clear(); }

  // Draw calls of one frame at local time t, by primitive mode.
  std::map<int, int> frameAt(float t) {
    world.driver.clear();
    layer.Draw(t);
    std::map<int, int> draws;
    for (const std::string& line : world.driver.calls)
      if (line.starts_with("glDraw")) ++draws[std::stoi(line.substr(line.find('(') + 1))];
    return draws;
  }
  std::size_t lastPosition(const std::string& prefix) const {
    const auto& calls = world.driver.calls;
    const auto found = std::find_if(calls.rbegin(), calls.rend(), [&](const std::string& c) { return c.starts_with(prefix); });
    return found == calls.rend() ? 0 : static_cast<std::size_t>(calls.rend() - found);
  }

  fake::FakeGLWorld world;
  kst::Mat_Lit material;
  kst::BrushOmbres layer;
};

TEST_F(BrushOmbresCalls, ObjectsJoinFromFourPointFourSecondsEachWithItsVolume) {
  // Both meshes are the same box, so a mesh pass is `box` triangle draws.
  const auto early = frameAt(4.3f);
  EXPECT_EQ(early.at(GL_QUADS), 2);  // one volume, counted up then down
  const int box = early.at(GL_TRIANGLES) / 2;  // unlit and lit passes
  ASSERT_GT(box, 0);
  const auto one = frameAt(4.5f);
  EXPECT_EQ(one.at(GL_QUADS), 4);
  EXPECT_EQ(one.at(GL_TRIANGLES), 4 * box);
  const auto all = frameAt(30.0f);
  EXPECT_EQ(all.at(GL_QUADS), 2 * 49);
  EXPECT_EQ(all.at(GL_TRIANGLES), 2 * 49 * box);

  const std::size_t lastDraw = lastPosition("glDraw");
  EXPECT_GT(lastPosition(fake::call("glDisable", GL_LIGHT0)), lastDraw);
  EXPECT_GT(lastPosition(fake::call("glDisable", GL_STENCIL_TEST)), lastDraw);
  EXPECT_EQ(world.driver.calls.back(), fake::call("glViewport", 0, 0, 800, 600));
}

// A missing object mesh drops the objects made of it; a missing central
// mesh, everything. Each is said once, with what it costs.
TEST_F(BrushOmbresCalls, AMissingMeshIsSaidOnceWithWhatIsLeftOut) {
  fake::LogCapture log;
  frameAt(30.0f);
  kst::theMeshStock().unload("object.lwo");
  stockBox("object.lwo");  // a new mesh under the old name: the caster's is gone
  EXPECT_EQ(frameAt(30.0f).at(GL_QUADS), 2);
  kst::theMeshStock().unload("central.lwo");
  EXPECT_TRUE(frameAt(31.0f).empty());
  EXPECT_TRUE(frameAt(32.0f).empty());
  EXPECT_EQ(log.lines(), (std::vector<std::string>{
                             "\n** Warning: mesh \"object.lwo\" is not in the mesh stock: the shadow layer's objects "
                             "made of it are left out\n",
                             "\n** Warning: mesh \"central.lwo\" is not in the mesh stock: the shadow layer draws nothing\n"}));
}

}  // namespace
