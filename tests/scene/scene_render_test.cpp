// Drawing a whole scene at the level of GL calls: the camera switch, fog,
// the records' flags, the state left afterwards, and bad indices that draw
// nothing with one warning each.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "render/gl_state_cache.h"
#include "scene/image.h"
#include "scene/mesh/primitive.h"
#include "scene/scene.h"
#include "scene/surfaces/surface.h"
#include "scene/texture_image.h"
#include "support/log_capture.h"
#include "support/recording_gl.h"
#include "support/scene_stand_ins.h"

namespace {

using Strings = std::vector<std::string>;

class SceneRendering : public ::testing::Test {
 protected:
  SceneRendering() {
    fake::RecordingGL::FillTable();
    scene.root = std::make_unique<standin::Transform>();
    standin::attach(std::make_unique<standin::CameraHolder>(), *scene.root).setScene(&scene);
    shape = &standin::attach(std::make_unique<standin::Shape>(), *scene.root);
    shape->box = standin::box({-1, -1, 9}, {1, 1, 11});
    scene.addSurface(std::make_unique<Surface>());
    scene.fogStart = 5.0f;
    scene.fogEnd = 50.0f;
    scene.fogColor = {0.25f, 0.5f, 0.75f, 1.0f};
    scene.update(0.0f);
  }

  Strings renderCalls() {
    world.driver.clear();
    scene.render();
    return world.driver.calls;
  }

  std::size_t warnings() const {
    return static_cast<std::size_t>(std::count_if(log.lines().begin(), log.lines().end(),
                                                  [](const std::string& line) { return line.find("** Warning") != std::string::npos; }));
  }

  fake::FakeGLWorld world;
  fake::LogCapture log;
  Scene scene;
  standin::Shape* shape;
};

TEST_F(SceneRendering, NothingWithoutACameraAndTheSwitchWaitsForTheNextRender) {
  scene.fogEnabled = true;
  EXPECT_TRUE(renderCalls().empty());
  scene.setPendingCamera(0);
  EXPECT_EQ(scene.currentCamera, -1);
  const Strings calls = renderCalls();
  EXPECT_EQ(scene.currentCamera, 0);
  EXPECT_EQ(scene.pendingCamera, -1);
  EXPECT_EQ(std::count(calls.begin(), calls.end(), fake::call("glDrawArrays", GL_TRIANGLES, 2, 1)), 1);
}

// A scene taken back after a move back: what a tour's layers changed (the
// camera switched to, a zoom layer's near distance) is as it was read, so
// it draws as a scene read fresh for a late start.
TEST_F(SceneRendering, ReturnedToAsReadItHasTheCameraAndNearDistanceItWasReadWith) {
  scene.prepareAfterLoad("demo/x.kst");
  const float near = scene.cameras.at(0)->nearDistance();
  scene.cameras[0]->SetNear(near * 4.0f + 1.0f);
  scene.setPendingCamera(0);
  EXPECT_FALSE(renderCalls().empty());
  scene.returnToAsRead();
  EXPECT_EQ(scene.cameras[0]->nearDistance(), near);
  EXPECT_EQ(scene.currentCamera, -1);
  EXPECT_EQ(scene.pendingCamera, -1);
  EXPECT_TRUE(renderCalls().empty());
}

TEST_F(SceneRendering, FogIsSetUpForTheDrawAndTurnedOffAfter) {
  scene.fogEnabled = true;
  scene.setPendingCamera(0);
  shape->renderFlags = RenderableNode::kNoFog;
  Strings calls = renderCalls();
  const Strings fog{fake::call("glFogi", GL_FOG_MODE, GL_LINEAR),
                    fake::call("glFogi", GL_FOG_DISTANCE_MODE_NV, GL_EYE_RADIAL_NV),
                    fake::call("glFogf", GL_FOG_START, 5.0f), fake::call("glFogf", GL_FOG_END, 50.0f),
                    fake::call("glFogfv", GL_FOG_COLOR, static_cast<const GLfloat*>(scene.fogColor.data())),
                    fake::call("glEnable", GL_FOG)};
  ASSERT_GE(calls.size(), fog.size());
  EXPECT_EQ(Strings(calls.begin(), calls.begin() + static_cast<std::ptrdiff_t>(fog.size())), fog);
  // The record asks for no fog: off around its draw, which carries the scene's flag 2.
  const auto drawn = std::find(calls.begin(), calls.end(), fake::call("glDrawArrays", GL_TRIANGLES, 0x8 | 2, 1));
  ASSERT_NE(drawn, calls.end());
  EXPECT_EQ(*std::prev(drawn), fake::call("glDisable", GL_FOG));
  EXPECT_EQ(*std::next(drawn), fake::call("glEnable", GL_FOG));
  EXPECT_EQ(calls.back(), fake::call("glDisable", GL_FOG));
  EXPECT_FALSE(glStateCache.fog);

  SetGLCapability(GLCap::NV_fog_distance, 0);
  calls = renderCalls();
  EXPECT_EQ(std::count(calls.begin(), calls.end(), fog[1]), 0);
  EXPECT_EQ(std::count(calls.begin(), calls.end(), fog[0]), 1);

  scene.fogEnabled = false;
  calls = renderCalls();
  EXPECT_TRUE(std::none_of(calls.begin(), calls.end(), [](const std::string& c) { return c.starts_with("glFog"); }));
  EXPECT_EQ(std::count(calls.begin(), calls.end(), fake::call("glEnable", GL_FOG)), 0);
}

TEST_F(SceneRendering, FrameCullingIsBackAfterATwoSidedSurface) {
  scene.setPendingCamera(0);
  scene.surfaces[0]->setSidedness(2);
  const Strings calls = renderCalls();
  const Strings start{fake::call("glEnable", GL_CULL_FACE), fake::call("glCullFace", GL_BACK),
                      fake::call("glFrontFace", GL_CCW),    fake::call("glEnable", GL_DEPTH_TEST),
                      fake::call("glDepthFunc", GL_LEQUAL), fake::call("glMatrixMode", GL_MODELVIEW)};
  ASSERT_GE(calls.size(), start.size());
  EXPECT_EQ(Strings(calls.begin(), calls.begin() + static_cast<std::ptrdiff_t>(start.size())), start);
  EXPECT_NE(std::find(calls.begin(), calls.end(), fake::call("glDisable", GL_CULL_FACE)), calls.end());
  EXPECT_EQ(calls.back(), fake::call("glEnable", GL_CULL_FACE));
  EXPECT_TRUE(glStateCache.cullFace);
}

TEST_F(SceneRendering, BadIndicesDrawNothingAndWarnOncePerIndex) {
  scene.prepareAfterLoad("demo\\bad.kst");
  auto mat = std::make_unique<Mat_LW>();
  mat->layer1 = {9, 0, 0, GL_LINEAR, GL_LINEAR, true};
  scene.addSurface(std::move(mat));
  scene.surfaces.push_back(nullptr);  // a record of another class
  auto& onMat = standin::attach(std::make_unique<standin::Shape>(), *scene.root);
  onMat.surface = 1;
  auto& onHole = standin::attach(std::make_unique<standin::Shape>(), *scene.root);
  onHole.surface = 2;
  scene.update(0.0f);
  scene.setPendingCamera(3);  // there is one camera
  for (int frame = 0; frame < 2; ++frame) EXPECT_TRUE(renderCalls().empty());
  EXPECT_EQ(warnings(), 1u);
  scene.setPendingCamera(0);
  for (int frame = 0; frame < 2; ++frame) {
    const Strings calls = renderCalls();
    EXPECT_EQ(std::count(calls.begin(), calls.end(), fake::call("glDrawArrays", GL_TRIANGLES, 2, 1)), 1);  // the plain surface only
  }
  EXPECT_EQ(scene.meshAt(-1), nullptr);
  EXPECT_EQ(scene.meshAt(7), nullptr);
  EXPECT_EQ(scene.meshAt(7), nullptr);
  EXPECT_EQ(warnings(), 4u);
  for (const char* needle : {"camera 3", "texture 9", "surface 2", "mesh 7"}) {
    EXPECT_TRUE(std::any_of(log.lines().begin(), log.lines().end(), [needle](const std::string& line) {
      return line.find("demo/bad.kst") != std::string::npos && line.find(needle) != std::string::npos;
    })) << needle;
  }
}

// A mesh that only keeps names and counts its preparations.
class NamedMesh : public Primitive {
 public:
  NamedMesh(std::vector<std::string> names, std::vector<std::uint32_t> carried) {
    for (const std::string& name : names) addSubMesh(name);
    surfaceIndices = std::move(carried);
  }
  void render(Camera&, const Matrix44&, RenderList&, std::int32_t) override {}
  void prepare() override { ++preparations; }
  int preparations = 0;
};

TEST_F(SceneRendering, PreparationResolvesSurfaceNamesAfterCarriedIndicesAndPlacesTheTree) {
  scene.surfaces.clear();
  for (const char* name : {"a", "b", "a"}) {
    auto surface = std::make_unique<Surface>();
    surface->name = name;
    scene.addSurface(std::move(surface));
  }
  scene.surfaces.push_back(nullptr);
  auto fresh = std::make_unique<NamedMesh>(std::vector<std::string>{"b", "zz", "a"}, std::vector<std::uint32_t>{});
  auto carried = std::make_unique<NamedMesh>(std::vector<std::string>{"a", "b"}, std::vector<std::uint32_t>{7, 2});
  NamedMesh& first = *fresh;
  NamedMesh& second = *carried;
  scene.addMesh(std::move(fresh));
  EXPECT_EQ(scene.addMesh(std::move(carried)), 1u);
  scene.root->bounds = {};
  // Textures as a scene file leaves them: a picture file's, raw pixels, and
  // one named by whoever made it.
  for (const char* picture : {"wall.jpg", "", ""}) {
    auto texture = std::make_unique<TextureImage>();
    texture->image24 = std::make_unique<Image24>();
    texture->image24->name = picture;
    scene.addTexture(std::move(texture));
  }
  scene.textures.back()->name = "given";
  scene.prepareAfterLoad("demo\\names.kst");
  for (const char* named : {"\n  wall.jpg : (", "\n  demo/names.kst, texture 1 : (", "\n  given : ("})
    EXPECT_TRUE(std::any_of(log.lines().begin(), log.lines().end(),
                            [named](const std::string& line) { return line.starts_with(named); }))
        << named;
  EXPECT_EQ(first.surfaceIndices, (std::vector<std::uint32_t>{1, 4, 0}));  // 4: no such name
  EXPECT_EQ(second.surfaceIndices, (std::vector<std::uint32_t>{7, 2, 0, 1}));
  EXPECT_EQ(first.preparations + second.preparations, 2);
  EXPECT_FALSE(scene.root->bounds.empty);
  EXPECT_EQ(log.lines().front(), "\n*** RAM used for textures : ");
  EXPECT_EQ(warnings(), 1u);  // the carried 7; the unmatched name's 4 is dropped quietly
  EXPECT_TRUE(std::any_of(log.lines().begin(), log.lines().end(), [](const std::string& line) {
    return line.find("surface 7") != std::string::npos && line.find("names.kst") != std::string::npos;
  }));
}

}  // namespace
