// Silhouettes and shadow volumes on meshes whose answers can be seen by eye.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "layers/shadows/shadow_caster.h"
#include "layers/shadows/shadow_volume.h"
#include "support/recording_gl.h"
#include "layers/shadow_meshes.h"

namespace {

using shadow_test::box;

// True when the edges form one cycle through all their vertices.
bool isOneClosedLoop(std::span<const kst::SilhouetteEdge> edges) {
  std::map<std::uint32_t, std::vector<std::uint32_t>> next;
  for (const auto& e : edges) {
    next[e.first].push_back(e.second);
    next[e.second].push_back(e.first);
  }
  if (next.empty()) return false;
  for (const auto& [v, around] : next)
    if (around.size() != 2) return false;
  std::uint32_t previous = next.begin()->first, at = next.begin()->second[0];
  std::size_t steps = 1;
  while (at != next.begin()->first) {
    const auto& around = next[at];
    const std::uint32_t step = around[0] == previous ? around[1] : around[0];
    previous = at;
    at = step;
    ++steps;
  }
  return steps == next.size();
}

TEST(ShadowCaster, ConvexBoxLitFromOutsideHasOneClosedLoop) {
  auto cube = box({-1, -1, -1}, {1, 1, 1});
  kst::ShadowCaster caster(*cube);
  // The six diagonals join coplanar faces and are never considered.
  int never = 0;
  for (std::size_t e = 0; e < cube->Topology().edgeCount(); ++e) never += caster.neverSilhouette(e);
  EXPECT_EQ(never, 6);

  caster.ComputeSilhouette({0.2f, 10.0f, 0.1f});  // sees the top face only
  EXPECT_EQ(caster.silhouette().size(), 4u);
  EXPECT_TRUE(isOneClosedLoop(caster.silhouette()));
  for (const auto& e : caster.silhouette()) {
    EXPECT_EQ(cube->positions().values[e.first].y, 1.0f);
    EXPECT_EQ(cube->positions().values[e.second].y, 1.0f);
  }

  caster.ComputeSilhouette({5.0f, 6.0f, 7.0f});  // sees three faces: a hexagon
  EXPECT_EQ(caster.silhouette().size(), 6u);
  EXPECT_TRUE(isOneClosedLoop(caster.silhouette()));
}

TEST(ShadowCaster, OpenQuadGivesItsRimOnlyWhenLit) {
  shadow_test::MeshBuilder builder;
  builder.quad({0, 0, 0}, {0, 0, 1}, {1, 0, 0});  // facing +y
  auto quad = builder.build();
  kst::ShadowCaster caster(*quad);

  caster.ComputeSilhouette({0.3f, 4.0f, -0.2f});
  EXPECT_EQ(caster.silhouette().size(), 4u);
  EXPECT_TRUE(isOneClosedLoop(caster.silhouette()));
  // The diagonal between the two coplanar triangles is never on it.
  for (const auto& e : caster.silhouette()) {
    const Vector3 a = quad->positions().values[e.first], b = quad->positions().values[e.second];
    EXPECT_TRUE(a.x == b.x || a.z == b.z);
  }

  caster.ComputeSilhouette({0.3f, -4.0f, -0.2f});
  EXPECT_TRUE(caster.silhouette().empty());
}

TEST(ShadowVolume, QuadsRunAlongTheLitFacesAndReachAwayFromTheLight) {
  auto cube = box({-1, -1, -1}, {1, 1, 1});
  kst::ShadowCaster caster(*cube);
  const Vector3 light{0.2f, 10.0f, 0.1f};
  caster.ComputeSilhouette(light);
  kst::ShadowVolume volume;
  volume.Build(caster, light, 200.0f);

  ASSERT_EQ(volume.vertexCount(), 8u);  // the four top corners and their copies
  ASSERT_EQ(volume.quadCount(), 4u);
  const auto& v = volume.vertices();
  for (std::uint32_t k = 0; k < 4; ++k) {
    // Pushed 200 times its distance further along the ray from the light.
    const Vector3 expected = v[k] + (v[k] - light) * 200.0f;
    EXPECT_FLOAT_EQ(v[4 + k].x, expected.x);
    EXPECT_FLOAT_EQ(v[4 + k].y, expected.y);
    EXPECT_FLOAT_EQ(v[4 + k].z, expected.z);
  }
  EXPECT_TRUE(std::is_sorted(v.begin(), v.begin() + 4, [&](Vector3 a, Vector3 b) {
    auto index = [&](Vector3 p) {
      return std::find(cube->positions().values.begin(), cube->positions().values.end(), p) -
             cube->positions().values.begin();
    };
    return index(a) < index(b);
  }));

  // Each quad starts with its edge in the direction the lit top face runs
  // along it, and closes through the two pushed copies.
  const auto& q = volume.indices();
  const auto t = cube->triangles();
  for (std::size_t i = 0; i < q.size(); i += 4) {
    EXPECT_EQ(q[i + 2], q[i + 1] + 4);
    EXPECT_EQ(q[i + 3], q[i] + 4);
    const Vector3 from = v[q[i]], to = v[q[i + 1]];
    bool runsAlongLitFace = false;
    for (std::size_t f = 0; f < t.size(); f += 3)
      for (int s = 0; s < 3; ++s) {
        const Vector3 a = cube->positions().values[t[f + s]], b = cube->positions().values[t[f + (s + 1) % 3]];
        runsAlongLitFace = runsAlongLitFace || (a == from && b == to && a.y == 1.0f && b.y == 1.0f &&
                                                cube->positions().values[t[f + (s + 2) % 3]].y == 1.0f);
      }
    EXPECT_TRUE(runsAlongLitFace) << "quad " << i / 4;
  }
}

TEST(ShadowVolume, CountsFrontThenBackWithTheFrameStateRestored) {
  fake::FakeGLWorld world;
  fake::RecordingGL::FillTable();
  auto cube = box({-1, -1, -1}, {1, 1, 1});
  kst::ShadowCaster caster(*cube);
  caster.ComputeSilhouette({0.2f, 10.0f, 0.1f});
  kst::ShadowVolume volume;
  volume.Build(caster, {0.2f, 10.0f, 0.1f});

  SetGLCapability(GLCap::EXT_draw_range_elements, 0);
  SetGLCapability(GLCap::EXT_compiled_vertex_array, 0);
  volume.DrawIntoStencil();
  EXPECT_EQ(world.driver.count("glDrawElements"), 2u);
  EXPECT_EQ(world.driver.count("glLockArraysEXT"), 0u);
  const std::vector<std::string>& calls = world.driver.calls;
  auto at = [&](const std::string& call) { return std::find(calls.begin(), calls.end(), call) - calls.begin(); };
  const auto firstDraw = at(fake::call("glDrawElements", GL_QUADS, 16, GL_UNSIGNED_INT, volume.indices().data()));
  EXPECT_LT(at(fake::call("glStencilOp", GL_KEEP, GL_KEEP, GL_INCR)), firstDraw);
  EXPECT_LT(at(fake::call("glCullFace", GL_FRONT)), firstDraw);
  EXPECT_GT(at(fake::call("glStencilOp", GL_KEEP, GL_KEEP, GL_DECR)), firstDraw);
  EXPECT_EQ(calls.back(), fake::call("glDisable", GL_STENCIL_TEST));
  EXPECT_NE(at(fake::call("glDepthFunc", GL_LEQUAL)), static_cast<long>(calls.size()));
  EXPECT_NE(at(fake::call("glColorMask", 1, 1, 1, 1)), static_cast<long>(calls.size()));

  world.driver.clear();
  SetGLCapability(GLCap::EXT_draw_range_elements, 1);
  SetGLCapability(GLCap::EXT_compiled_vertex_array, 1);
  volume.DrawIntoStencil();
  EXPECT_EQ(world.driver.count("glDrawRangeElementsEXT"), 2u);
  EXPECT_NE(std::find(calls.begin(), calls.end(),
                      fake::call("glDrawRangeElementsEXT", GL_QUADS, 0, 7, 16, GL_UNSIGNED_INT, volume.indices().data())),
            calls.end());
  EXPECT_EQ(world.driver.count("glLockArraysEXT"), 1u);
  EXPECT_EQ(world.driver.count("glUnlockArraysEXT"), 1u);
}

}  // namespace
