// A scene read from a scene file and drawn on the software driver at
// 800x600: a textured quad, a plain box, a half-transparent quad in front of
// the box, and two white quads at different distances for fog. The camera
// sits at the origin looking along +z (x to the right, y up) with a view
// of 1 across and 0.75 up at distance 1, so a point (x, y, z) lands at
// window x = 400 (1 + x/z), y = 300 (1 + y / 0.75z), counted from the bottom.
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>

#include "persist/class_registration.h"
#include "render/gl_state_cache.h"
#include "render/gl_table.h"
#include "scene/mesh/mesh_primitive.h"
#include "scene/scene.h"
#include "scene/scene_io.h"
#include "scene/surfaces/surface.h"
#include "scene/texture_image.h"
#include "support/picture_files.h"
#include "support/scene_stand_ins.h"
#include "support/shared_device.h"

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
using Rgb = std::array<int, 3>;

// A quad facing the camera at depth z, with texture coordinates spanning it.
std::unique_ptr<MeshPrimitive> quad(float x0, float x1, float y0, float y1, float z, const char* surface) {
  auto source = std::make_unique<kst::RobustMesh>();
  source->SetVertices({{x0, y0, z}, {x1, y0, z}, {x1, y1, z}, {x0, y1, z}});
  source->SetTriangles({0, 1, 2, 0, 2, 3}, {0, 0}, 1);
  source->AddCornerTexCoords({{0, 0}, {1, 0}, {1, 1}, {0, 0}, {1, 1}, {0, 1}});
  auto mesh = std::make_unique<MeshPrimitive>();
  mesh->source = std::move(source);
  mesh->addSubMesh(surface);
  mesh->build(true, kst::RobustMesh::kBuildNormals);
  return mesh;
}

// An axis-aligned box, each face two triangles.
std::unique_ptr<MeshPrimitive> box(Vector3 min, Vector3 max, const char* surface) {
  auto source = std::make_unique<kst::RobustMesh>();
  std::vector<Vector3> corners;
  for (int i = 0; i < 8; ++i)
    corners.push_back({(i & 1) ? max.x : min.x, (i & 2) ? max.y : min.y, (i & 4) ? max.z : min.z});
  source->SetVertices(corners);
  source->SetTriangles({0, 2, 3, 0, 3, 1, 4, 5, 7, 4, 7, 6, 0, 1, 5, 0, 5, 4, 2, 6, 7, 2, 7, 3, 0, 4, 6, 0, 6, 2, 1, 3, 7, 1, 7, 5},
                       std::vector<std::int32_t>(12, 0), 1);
  auto mesh = std::make_unique<MeshPrimitive>();
  mesh->source = std::move(source);
  mesh->addSubMesh(surface);
  mesh->build(true, kst::RobustMesh::kBuildNormals);
  return mesh;
}

std::unique_ptr<Surface> plainSurface(const char* name, persist::Colour colour) {
  auto surface = std::make_unique<Surface>();
  surface->name = name;
  surface->color = colour;
  surface->setSidedness(2);
  return surface;
}

// Texture 0: two texels, yellow then magenta, drawn sharp.
std::unique_ptr<Scene> sceneInCode() {
  auto scene = std::make_unique<Scene>();
  auto textured = std::make_unique<Mat_LW>();
  textured->name = "textured";
  textured->layer1 = {0, 1, 1, GL_NEAREST, GL_NEAREST, true};
  textured->setSidedness(2);
  scene->addSurface(std::move(textured));
  scene->addSurface(plainSurface("green", {0, 1, 0, 1}));
  auto glass = std::make_unique<Mat_LW>();
  glass->name = "glass";
  glass->color = {1, 0, 0, 1};
  glass->transparency = 0.5f;
  glass->setSidedness(2);
  scene->addSurface(std::move(glass));
  scene->addSurface(plainSurface("white", {1, 1, 1, 1}));

  auto picture = std::make_unique<Image24>();
  picture->setSize(2, 1);
  const std::uint8_t texels[6] = {255, 255, 0, 255, 0, 255};
  std::copy(texels, texels + 6, picture->pixels.get());
  auto texture = std::make_unique<TextureImage>();
  texture->maxAnisotropy = 1.0f;  // the software driver filters anisotropically even between sharp texels
  texture->upload(std::move(picture));
  scene->addTexture(std::move(texture));

  scene->addMesh(quad(-6, -2, -2, 2, 10, "textured"));    // window x 160..320, y 240..360
  scene->addMesh(box({1, -1, 9}, {3, 1, 11}, "green"));    // front face x 444..533, y 256..344
  scene->addMesh(quad(2, 5, -0.5f, 0.5f, 8, "glass"));     // x 500..650, y 275..325
  scene->addMesh(quad(-1, 0, 3, 4, 10, "white"));          // x 360..400, y 420..460
  scene->addMesh(quad(0, 4, 12, 16, 40, "white"));         // x 400..440, y 420..460

  scene->root = std::make_unique<standin::Transform>();
  scene->root->scene = scene.get();
  for (std::int32_t i = 0; i < 5; ++i) {
    auto& shape = standin::attach(std::make_unique<standin::MeshShape>(), *scene->root);
    shape.meshIndex = i;
    shape.scene = scene.get();
  }
  standin::attach(std::make_unique<standin::CameraHolder>(), *scene->root).scene = scene.get();
  scene->fogStart = 5;
  scene->fogEnd = 50;
  scene->fogColor = {0, 0, 0, 1};
  return scene;
}

class ScenePixels : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(fake::sharedRenderDevice("Skyward scene test", kWidth, kHeight));
    startFromTheCachesState();
    RegisterClassFactories();
    standin::registerNodes();
    const std::string path = fake::freshFolder("scene_pixels") + "/shapes.kst";
    writeScene(path, *sceneInCode());
    scene = readScene(path);
    ASSERT_NE(scene, nullptr);
    scene->prepareAfterLoad(path.c_str());
    scene->setPendingCamera(0);
  }

  // The state cache's start state, in the cache and in GL alike: earlier
  // tests of this program drew on the same context.
  static void startFromTheCachesState() {
    glStateCache.Reset();
    for (GLenum unit : {GL_TEXTURE1_ARB, GL_TEXTURE0_ARB}) {
      gl.glActiveTextureARB(unit);
      gl.glClientActiveTextureARB(unit);
      gl.glDisable(GL_TEXTURE_2D);
      gl.glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    }
    for (GLenum array : {GL_VERTEX_ARRAY, GL_NORMAL_ARRAY, GL_COLOR_ARRAY}) gl.glDisableClientState(array);
    gl.glEnable(GL_CULL_FACE);
    gl.glCullFace(GL_BACK);
    gl.glDisable(GL_FOG);
  }

  void TearDown() override { EXPECT_EQ(gl.glGetError(), static_cast<GLenum>(GL_NO_ERROR)); }

  void drawFrame() {
    gl.glViewport(0, 0, kWidth, kHeight);
    gl.glClearColor(0, 0, 0, 1);
    gl.glDepthMask(GL_TRUE);
    gl.glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    scene->update(0.0f);
    scene->render();
    gl.glPixelStorei(GL_PACK_ALIGNMENT, 1);
    gl.glReadPixels(0, 0, kWidth, kHeight, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
  }

  Rgb at(int x, int y) const {
    const std::size_t i = 3 * (static_cast<std::size_t>(y) * kWidth + static_cast<std::size_t>(x));
    return {pixels[i], pixels[i + 1], pixels[i + 2]};
  }

  static void expectNear(const Rgb& seen, const Rgb& wanted, int tolerance, const char* where) {
    for (int c = 0; c < 3; ++c) EXPECT_LE(std::abs(seen[c] - wanted[c]), tolerance) << where << " channel " << c;
  }

  std::unique_ptr<Scene> scene;
  std::vector<std::uint8_t> pixels = std::vector<std::uint8_t>(3 * kWidth * kHeight);
};

TEST_F(ScenePixels, TextureColourAndBlendingLandWhereTheCameraPutsThem) {
  drawFrame();
  expectNear(at(200, 300), {255, 255, 0}, 2, "left texel of the quad");
  expectNear(at(280, 300), {255, 0, 255}, 2, "right texel of the quad");
  expectNear(at(470, 300), {0, 255, 0}, 2, "the box");
  expectNear(at(520, 300), {128, 128, 0}, 3, "glass over the box");
  expectNear(at(600, 300), {128, 0, 0}, 3, "glass over nothing");
  expectNear(at(100, 300), {0, 0, 0}, 0, "background");
  expectNear(at(380, 440), {255, 255, 255}, 2, "near white, no fog");
  expectNear(at(420, 440), {255, 255, 255}, 2, "far white, no fog");
}

TEST_F(ScenePixels, FogDarkensTheFarObject) {
  scene->fogEnabled = true;
  drawFrame();
  // Linear fog from 5 to 50: the near quad is about 10.6 away, the far one
  // about 42 (eye distance; 10 and 40 along the view axis).
  const Rgb nearWhite = at(380, 440);
  const Rgb farWhite = at(420, 440);
  EXPECT_GT(nearWhite[0], 200);
  EXPECT_LT(farWhite[0], 70);
  EXPECT_EQ(nearWhite[0], nearWhite[2]);  // black fog keeps grey grey
  EXPECT_FALSE(glStateCache.fog);
}

}  // namespace
