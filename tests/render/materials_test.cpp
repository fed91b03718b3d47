// The materials at the level of the GL calls they make: which blend
// entry point, which passes, the stencil only with the camera inside the
// volume, the per-vertex factors, and the state left behind.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "render/camera.h"
#include "render/gl_state_cache.h"
#include "render/materials/mat_lit.h"
#include "render/materials/mat_volumetric.h"
#include "support/box_chunks.h"
#include "support/mesh_chunk_stand_in.h"
#include "support/recording_gl.h"

namespace {

using Strings = std::vector<std::string>;

// The camera at the origin looking down +z.
Camera forwardCamera() { return Camera({0, 0, 0}, {0, 0, 1}, {0, 1, 0}, 1.0f, 100.0f, 0.5f, 0.375f); }

class MaterialCalls : public ::testing::Test {
 protected:
  MaterialCalls() {
    fake::RecordingGL::FillTable();
    SetGLCapability(GLCap::ARB_imaging, 0);
    SetGLCapability(GLCap::EXT_blend_subtract, 1);
    SetGLCapability(GLCap::EXT_blend_minmax, 1);
    // The factors as GL would read them at each draw.
    world.driver.on<GLEntryId::glColorPointer>(
        [this](GLint, GLenum, GLsizei, const void* data) { colours = static_cast<const kst::Rgba*>(data); });
    world.driver.on<GLEntryId::glColor4f>([this](GLfloat r, GLfloat g, GLfloat b, GLfloat a) {
      currentColour = {r, g, b, a};
    });
  }

  Strings draw(kst::Material& material, const MeshChunk& chunk) {
    Camera camera = forwardCamera();
    material.Render(camera, chunk);
    return world.driver.calls;
  }

  // Calls of one function with their arguments, in order.
  Strings callsOf(const std::string& name) const {
    Strings found;
    for (const std::string& line : world.driver.calls)
      if (line.starts_with(name + "(")) found.push_back(line);
    return found;
  }
  std::size_t draws() const {
    std::size_t n = 0;
    for (const std::string& name : world.driver.names()) n += name.starts_with("glDraw") ? 1 : 0;
    return n;
  }

  fake::FakeGLWorld world;
  const kst::Rgba* colours = nullptr;
  std::array<float, 4> currentColour{};
};

std::string call(const char* name, auto... args) { return fake::call(name, args...); }

TEST_F(MaterialCalls, VolumeAheadUsesThreePassesAndNoStencil) {
  kst::Mat_Volumetric volume;
  draw(volume, fake::boxChunk({-1, -1, 4}, {1, 1, 6}));
  EXPECT_EQ(draws(), 3u);
  for (const std::string& line : world.driver.calls) EXPECT_EQ(line.find("Stencil"), std::string::npos) << line;
  EXPECT_EQ(callsOf("glEnable").size(), 2u);  // culling, blending
  EXPECT_EQ(callsOf("glCullFace"),
            (Strings{call("glCullFace", GL_FRONT), call("glCullFace", GL_BACK), call("glCullFace", GL_FRONT),
                     call("glCullFace", GL_BACK)}));
  EXPECT_EQ(callsOf("glBlendEquationEXT"), (Strings{call("glBlendEquationEXT", GL_FUNC_REVERSE_SUBTRACT),
                                                    call("glBlendEquationEXT", GL_FUNC_ADD)}));
  EXPECT_EQ(callsOf("glBlendEquation"), Strings{});
  // Near corners (z = 4) factor 0, far ones (z = 6) 255; the light is
  // colour × 10 × depth range (2).
  ASSERT_NE(colours, nullptr);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(colours[i].a, i & 4 ? 255 : 0) << "corner " << i;
  EXPECT_EQ(currentColour, (std::array<float, 4>{20, 20, 20, 0}));
}

TEST_F(MaterialCalls, ImagingPathUsesTheCoreEntryPoint) {
  SetGLCapability(GLCap::ARB_imaging, 1);
  SetGLCapability(GLCap::EXT_blend_minmax, 0);
  kst::Mat_Volumetric volume;
  draw(volume, fake::boxChunk({-1, -1, 4}, {1, 1, 6}));
  EXPECT_EQ(callsOf("glBlendEquation"), (Strings{call("glBlendEquation", GL_FUNC_REVERSE_SUBTRACT),
                                                 call("glBlendEquation", GL_FUNC_ADD)}));
  EXPECT_EQ(callsOf("glBlendEquationEXT"), Strings{});
}

TEST_F(MaterialCalls, WithoutASubtractingBlendNothingIsDrawn) {
  kst::Mat_Volumetric volume;
  for (auto [subtract, minmax] : {std::pair{0, 1}, std::pair{1, 0}}) {
    SetGLCapability(GLCap::EXT_blend_subtract, subtract);
    SetGLCapability(GLCap::EXT_blend_minmax, minmax);
    EXPECT_EQ(draw(volume, fake::boxChunk({-1, -1, 4}, {1, 1, 6})), Strings{});
  }
}

TEST_F(MaterialCalls, CameraInsideCountsNearFacesInTheStencil) {
  kst::Mat_Volumetric volume;
  volume.red = 0.5f;
  draw(volume, fake::boxChunk({-1, -1, -1}, {1, 1, 3}));
  EXPECT_EQ(draws(), 4u);
  const Strings expected = {call("glEnable", GL_STENCIL_TEST),
                            call("glStencilMask", ~0u),
                            call("glStencilFunc", GL_ALWAYS, 0, 0u),
                            call("glStencilOp", GL_KEEP, GL_KEEP, GL_ZERO),
                            call("glStencilFunc", GL_ALWAYS, 0, 0u),
                            call("glStencilOp", GL_KEEP, GL_KEEP, GL_INCR),
                            call("glStencilFunc", GL_EQUAL, 0, ~0u),
                            call("glStencilOp", GL_ZERO, GL_KEEP, GL_KEEP),
                            call("glDisable", GL_STENCIL_TEST)};
  Strings stencil;
  for (const std::string& line : world.driver.calls)
    if (line.find("Stencil") != std::string::npos || line.find(std::to_string(GL_STENCIL_TEST)) != std::string::npos)
      stencil.push_back(line);
  EXPECT_EQ(stencil, expected);
  // The stencil is off again before the light pass draws.
  const auto off = std::find(world.driver.calls.begin(), world.driver.calls.end(), call("glDisable", GL_STENCIL_TEST));
  EXPECT_EQ(std::count_if(off, world.driver.calls.end(), [](const std::string& l) { return l.starts_with("glDraw"); }), 1);
  // Eye depths run from −1 to 3: the eye's own factor is 1/4, the light 0.5 × 40.
  EXPECT_EQ(currentColour[0], 20.0f);
  EXPECT_EQ(std::count(world.driver.calls.begin(), world.driver.calls.end(), call("glColor4f", 0.0f, 0.0f, 0.0f, 0.25f)), 1);
}

TEST_F(MaterialCalls, VertexAlphaScalesTheFactors) {
  MeshChunk chunk = fake::boxChunk({-1, -1, 4}, {1, 1, 6});
  chunk.colors.assign(8, kst::Rgba{255, 255, 255, 255});
  chunk.colors[5].a = 0;  // a far corner
  kst::Mat_Volumetric volume;
  draw(volume, chunk);
  ASSERT_NE(colours, nullptr);
  EXPECT_EQ(colours[5].a, 0);
  EXPECT_EQ(colours[7].a, 255);
}

TEST_F(MaterialCalls, FlatChunkAtOneDepthTakesFactorZero) {
  MeshChunk chunk = fake::boxChunk({-1, -1, 5}, {1, 1, 5});
  kst::Mat_Volumetric volume;
  draw(volume, chunk);
  ASSERT_NE(colours, nullptr);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(colours[i].a, 0);
  for (float value : currentColour) EXPECT_FALSE(std::isnan(value));
}

TEST_F(MaterialCalls, VolumeLeavesTheFrameStateAsItFoundIt) {
  // Replays the switches a later layer would notice.
  std::map<std::string, std::string> last;
  kst::Mat_Volumetric volume;
  draw(volume, fake::boxChunk({-1, -1, -1}, {1, 1, 3}));
  for (const std::string& line : world.driver.calls) {
    const std::string name = line.substr(0, line.find('('));
    if (name == "glEnable" || name == "glDisable") last[line.substr(name.size())] = name;
    else if (name == "glEnableClientState" || name == "glDisableClientState") last[line.substr(name.size())] = name;
    else last[name] = line;
  }
  EXPECT_EQ(last["(" + std::to_string(GL_BLEND) + ")"], "glDisable");
  EXPECT_EQ(last["(" + std::to_string(GL_STENCIL_TEST) + ")"], "glDisable");
  EXPECT_EQ(last["(" + std::to_string(GL_CULL_FACE) + ")"], "glEnable");
  EXPECT_EQ(last["(" + std::to_string(GL_COLOR_ARRAY) + ")"], "glDisableClientState");
  EXPECT_EQ(last["(" + std::to_string(GL_VERTEX_ARRAY) + ")"], "glDisableClientState");
  EXPECT_EQ(last["glCullFace"], call("glCullFace", GL_BACK));
  EXPECT_EQ(last["glFrontFace"], call("glFrontFace", GL_CW));
  EXPECT_EQ(last["glDepthMask"], call("glDepthMask", GL_TRUE));
  EXPECT_EQ(last["glColorMask"], call("glColorMask", GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE));
  EXPECT_EQ(callsOf("glLockArraysEXT").size(), callsOf("glUnlockArraysEXT").size());
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
  EXPECT_EQ(callsOf("glEnableClientState"),
            (Strings{call("glEnableClientState", GL_NORMAL_ARRAY), call("glEnableClientState", GL_VERTEX_ARRAY)}));
  EXPECT_EQ(callsOf("glDisable"), Strings{call("glDisable", GL_LIGHTING)});  // GL_NORMALIZE stays on
}

}  // namespace
