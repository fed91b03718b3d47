// The materials at the level of the GL calls they make: which blend entry
// point, which passes, the stencil only with the camera inside the volume,
// the per-vertex factors, and the state left behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "render/camera.h"
#include "render/gl_state_cache.h"
#include "render/materials/mat_lit.h"
#include "render/materials/mat_volumetric.h"
#include "support/box_chunks.h"
#include "support/recording_gl.h"

namespace {

using Strings = std::vector<std::string>;
using fake::call;

const MeshChunk kAhead = fake::boxChunk({-1, -1, 4}, {1, 1, 6});     // depths 4 to 6
const MeshChunk kAround = fake::boxChunk({-1, -1, -1}, {1, 1, 3});   // depths −1 to 3

class MaterialCalls : public ::testing::Test {
 protected:
  MaterialCalls() {
    fake::RecordingGL::FillTable();
    SetGLCapability(GLCap::ARB_imaging, 0);
    // The factors as GL reads them, and the colour of the last passes.
    world.driver.on<GLEntryId::glColorPointer>(
        [this](GLint, GLenum, GLsizei, const void* data) { factors = static_cast<const kst::Rgba*>(data); });
    world.driver.on<GLEntryId::glColor4f>([this](GLfloat r, GLfloat g, GLfloat b, GLfloat a) { colour = {r, g, b, a}; });
  }

  const Strings& draw(kst::Material& material, const MeshChunk& chunk) {
    world.driver.clear();
    Camera camera({0, 0, 0}, {0, 0, 1}, {0, 1, 0}, 1.0f, 100.0f, 0.5f, 0.375f);
    material.Render(camera, chunk);
    return world.driver.calls;
  }
  Strings matching(const std::string& part) const {
    Strings found;
    std::copy_if(world.driver.calls.begin(), world.driver.calls.end(), std::back_inserter(found),
                 [&](const std::string& line) { return line.find(part) != std::string::npos; });
    return found;
  }
  std::size_t draws() const { return matching("glDraw").size(); }

  fake::FakeGLWorld world;
  kst::Mat_Volumetric volume;
  const kst::Rgba* factors = nullptr;
  std::array<float, 4> colour{};
};

TEST_F(MaterialCalls, VolumeAheadUsesThreePassesAndNoStencil) {
  volume.red = 0.5f;
  draw(volume, kAhead);
  EXPECT_EQ(draws(), 3u);
  EXPECT_EQ(matching("Stencil"), Strings{});
  EXPECT_EQ(matching("glCullFace"), (Strings{call("glCullFace", GL_FRONT), call("glCullFace", GL_BACK),
                                             call("glCullFace", GL_FRONT), call("glCullFace", GL_BACK)}));
  EXPECT_EQ(matching("glBlendEquation"), (Strings{call("glBlendEquationEXT", GL_FUNC_REVERSE_SUBTRACT),
                                                  call("glBlendEquationEXT", GL_FUNC_ADD)}));
  // Near corners (z = 4) factor 0, far ones 255; light = colour × 10 × depth range 2.
  ASSERT_NE(factors, nullptr);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(factors[i].a, i & 4 ? 255 : 0) << "corner " << i;
  EXPECT_EQ(colour, (std::array<float, 4>{10, 20, 20, 0}));
}

TEST_F(MaterialCalls, BlendEquationEntryPointByCapability) {
  SetGLCapability(GLCap::ARB_imaging, 1);
  SetGLCapability(GLCap::EXT_blend_minmax, 0);
  draw(volume, kAhead);
  EXPECT_EQ(matching("glBlendEquation"), (Strings{call("glBlendEquation", GL_FUNC_REVERSE_SUBTRACT),
                                                  call("glBlendEquation", GL_FUNC_ADD)}));
  // Without imaging, subtracting needs both EXT groups (the entry point is blend_minmax's).
  SetGLCapability(GLCap::ARB_imaging, 0);
  EXPECT_EQ(draw(volume, kAhead), Strings{});
  SetGLCapability(GLCap::EXT_blend_minmax, 1);
  SetGLCapability(GLCap::EXT_blend_subtract, 0);
  EXPECT_EQ(draw(volume, kAhead), Strings{});
}

TEST_F(MaterialCalls, CameraInsideCountsNearFacesInTheStencil) {
  volume.red = 0.5f;
  const Strings& calls = draw(volume, kAround);
  EXPECT_EQ(draws(), 4u);
  Strings stencil = matching("Stencil");
  for (const std::string& line : matching("(" + std::to_string(GL_STENCIL_TEST) + ")")) stencil.push_back(line);
  EXPECT_EQ(stencil,
            (Strings{call("glStencilMask", ~0u), call("glStencilFunc", GL_ALWAYS, 0, 0u),
                     call("glStencilOp", GL_KEEP, GL_KEEP, GL_ZERO), call("glStencilFunc", GL_ALWAYS, 0, 0u),
                     call("glStencilOp", GL_KEEP, GL_KEEP, GL_INCR), call("glStencilFunc", GL_EQUAL, 0, ~0u),
                     call("glStencilOp", GL_ZERO, GL_KEEP, GL_KEEP), call("glEnable", GL_STENCIL_TEST),
                     call("glDisable", GL_STENCIL_TEST)}));
  // Off again before the light pass draws; the eye's own factor is 1/4 of
  // the range −1 to 3, the light 0.5 × 10 × 4.
  const auto off = std::find(calls.begin(), calls.end(), call("glDisable", GL_STENCIL_TEST));
  EXPECT_EQ(std::count_if(off, calls.end(), [](const std::string& l) { return l.starts_with("glDraw"); }), 1);
  EXPECT_EQ(std::count(calls.begin(), calls.end(), call("glColor4f", 0.0f, 0.0f, 0.0f, 0.25f)), 1);
  EXPECT_EQ(colour[0], 20.0f);
}

TEST_F(MaterialCalls, FactorsFollowVertexAlphaAndSurviveOneDepth) {
  MeshChunk chunk = kAhead;
  chunk.colors.assign(8, kst::Rgba{255, 255, 255, 255});
  chunk.colors[5].a = 0;  // a far corner
  draw(volume, chunk);
  EXPECT_EQ(factors[5].a, 0);
  EXPECT_EQ(factors[7].a, 255);
  // A corner that is not a number (a damaged object) counts as the near
  // side; the others keep their factors.
  chunk = kAhead;
  chunk.positions[6].z = std::nanf("");
  draw(volume, chunk);
  EXPECT_EQ(factors[6].a, 0);
  EXPECT_EQ(factors[7].a, 255);
  EXPECT_EQ(factors[0].a, 0);
  // Every vertex at depth 5: factor 0 everywhere, no division by zero.
  draw(volume, fake::boxChunk({-1, -1, 5}, {1, 1, 5}));
  for (int i = 0; i < 8; ++i) EXPECT_EQ(factors[i].a, 0);
  for (float value : colour) EXPECT_FALSE(std::isnan(value));
}

TEST_F(MaterialCalls, VolumeLeavesTheFrameStateAsItFoundIt) {
  std::map<std::string, std::string> last;  // the last word on each switch and setting
  for (const std::string& line : draw(volume, kAround)) {
    const std::string name = line.substr(0, line.find('('));
    const bool toggle = name.starts_with("glEnable") || name.starts_with("glDisable");
    last[toggle ? line.substr(name.size()) : name] = toggle ? name : line;
  }
  const auto of = [&](GLenum cap) { return last["(" + std::to_string(cap) + ")"]; };
  EXPECT_EQ(of(GL_BLEND), "glDisable");
  EXPECT_EQ(of(GL_STENCIL_TEST), "glDisable");
  EXPECT_EQ(of(GL_CULL_FACE), "glEnable");
  EXPECT_EQ(of(GL_COLOR_ARRAY), "glDisableClientState");
  EXPECT_EQ(of(GL_VERTEX_ARRAY), "glDisableClientState");
  EXPECT_EQ(last["glCullFace"], call("glCullFace", GL_BACK));
  EXPECT_EQ(last["glFrontFace"], call("glFrontFace", GL_CW));
  EXPECT_EQ(last["glDepthMask"], call("glDepthMask", GL_TRUE));
  EXPECT_EQ(last["glColorMask"], call("glColorMask", GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE));
  EXPECT_EQ(last["glBlendEquationEXT"], call("glBlendEquationEXT", GL_FUNC_ADD));
  EXPECT_EQ(matching("glLockArraysEXT").size(), matching("glUnlockArraysEXT").size());
  EXPECT_FALSE(glStateCache.vertexArray);
}

TEST_F(MaterialCalls, LitSendsTheIntegerPartOfShininessTimes128) {
  kst::Mat_Lit lit;
  lit.shininess = 0.9f;
  GLint sent = -1;
  world.driver.on<GLEntryId::glMaterialiv>([&](GLenum, GLenum name, const GLint* value) {
    if (name == GL_SHININESS) sent = *value;
  });
  draw(lit, fake::sphereChunk({0, 0, 5}, 1, 4, 6));
  EXPECT_EQ(sent, 115);
  EXPECT_EQ(draws(), 1u);
  EXPECT_EQ(matching("ClientState(" + std::to_string(GL_NORMAL_ARRAY)),
            (Strings{call("glEnableClientState", GL_NORMAL_ARRAY), call("glDisableClientState", GL_NORMAL_ARRAY)}));
  EXPECT_EQ(matching("glDisable("), Strings{call("glDisable", GL_LIGHTING)});  // GL_NORMALIZE stays on
}

}  // namespace
