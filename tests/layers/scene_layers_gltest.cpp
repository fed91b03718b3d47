// The scene, mesh and zoom layers drawn on the software GL driver into an
// 800 x 600 frame and read back, from a scene file and LightWave objects
// written here. The scene is layer_scenes.h's red square on blue.
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "layers/bitmap_layers.h"
#include "layers/envelope_layers.h"
#include "layers/layer_scenes.h"
#include "layers/layer_stack.h"
#include "layers/scene_layers.h"
#include "lightwave/lwo_writer.h"
#include "persist/class_registration.h"
#include "render/gl_state_cache.h"
#include "render/gl_table.h"
#include "render/materials/mat_lit.h"
#include "scene/image.h"
#include "scene/scene_io.h"
#include "scene/surfaces/surface.h"
#include "scene/texture_image.h"
#include "shell/frame_state.h"
#include "stocks/bitmap_stock.h"
#include "stocks/mesh_stock.h"
#include "stocks/scene_stock.h"
#include "support/picture_files.h"
#include "support/shared_device.h"

namespace {

using Rgba = std::array<int, 4>;
const Rgba kClear{0, 0, 0, 0};
const Rgba kBlue{0, 0, 255, 255};
const Rgba kRed{255, 0, 0, 255};
const Rgba kGreen{0, 255, 0, 255};

// A rectangle of the plane z = `z` from (-w, -h) to (w, h), both windings:
// seen from either side, whatever culling the layer uses.
LW::ObjectDescription rectangle(float w, float h, float z) {
  LW::ObjectDescription object;
  for (int side = 0; side < 2; ++side)
    for (Vector3 p : {Vector3{-w, -h, z}, {w, -h, z}, {w, h, z}, {-w, h, z}}) object.points.push_back(p);
  object.polygons = {{{0, 1, 2, 3}, 0}, {{7, 6, 5, 4}, 0}};
  object.surfaces = {{.name = "plain"}};
  return object;
}

class SceneLayerPixels : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    RegisterClassFactories();
    ASSERT_TRUE(fake::sharedRenderDevice("Skyward scene layers test", 800, 600));
    glStateCache.Reset();
    const std::string folder = fake::freshFolder("scene-layers");
    scene = folder + "/square.kst";
    writeScene(scene, *layer_test::squareScene({0, 0, 1, 1}));
    kst::theSceneStock().load(scene.c_str(), false);
    // Framing radius 1; the eye sees the strip across the whole width.
    strip = folder + "/strip.lwo";
    ASSERT_TRUE(LW::SaveLwo2(strip, rectangle(1, 0.25f, 0)));
    kst::theMeshStock().loadObject(strip.c_str(), nullptr, nullptr);
    // Seen by the scene's camera, 12 away: columns 267 to 533, around the
    // square and behind it.
    wall = folder + "/wall.lwo";
    ASSERT_TRUE(LW::SaveLwo2(wall, rectangle(2, 2, 2)));
    kst::theMeshStock().loadObject(wall.c_str(), nullptr, nullptr);
  }
  static void TearDownTestSuite() {
    kst::theSceneStock().unload(scene.c_str());
    kst::theMeshStock().unload(strip.c_str());
    kst::theMeshStock().unload(wall.c_str());
  }

  void SetUp() override { startFrame(); }
  void TearDown() override { EXPECT_EQ(gl.glGetError(), static_cast<GLenum>(GL_NO_ERROR)); }

  static void startFrame() {
    gl.glViewport(0, 0, 800, 600);
    shell::ResetFrameState();
  }

  // A scene layer over (left, top, width, height) of the frame.
  static std::unique_ptr<kst::BrushScene> sceneLayer(float left, float top, float width, float height) {
    auto brush = std::make_unique<kst::BrushScene>();
    brush->sceneName = scene;
    for (auto [index, value] : {std::pair{0, left}, {1, top}, {2, width}, {3, height}})
      brush->parameters[index].defaultValue = value;
    return brush;
  }
  static void drawScene(float left, float top, float width, float height) {
    sceneLayer(left, top, width, height)->Draw(0);
  }

  // The wall, lit green, through the camera of `sceneName` drawn before.
  static void drawGreenWallIn(const std::string& sceneName) {
    kst::BrushMeshInScene brush;
    brush.sceneName = sceneName;
    brush.meshName = wall;
    auto material = std::make_unique<kst::Mat_Lit>();
    material->ambient = {0, 1, 0, 1};
    brush.materials.push_back(std::move(material));
    brush.Draw(0);
  }

  static Rgba pixel(int x, int y) {
    std::array<std::uint8_t, 4> p{};
    gl.glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p.data());
    return {p[0], p[1], p[2], p[3]};
  }
  static float depthAt(int x, int y) {
    float value = 0;
    gl.glReadPixels(x, y, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &value);
    return value;
  }
  // Rows of column 400 that are no longer the clear colour.
  static int coveredRows() {
    std::vector<std::uint8_t> column(600 * 4);
    gl.glPixelStorei(GL_PACK_ALIGNMENT, 1);
    gl.glReadPixels(400, 0, 1, 600, GL_RGBA, GL_UNSIGNED_BYTE, column.data());
    int rows = 0;
    for (int y = 0; y < 600; ++y) rows += column[y * 4] != 0 || column[y * 4 + 1] != 0 || column[y * 4 + 2] != 0;
    return rows;
  }

  static inline std::string scene, strip, wall;
};

TEST_F(SceneLayerPixels, SceneFillsTheWholeFrameOrTheRightHalf) {
  drawScene(0, 0, 1, 1);
  EXPECT_EQ(pixel(10, 10), kBlue);
  EXPECT_EQ(pixel(400, 300), kRed);
  EXPECT_EQ(pixel(310, 300), kBlue);  // the square spans columns 320 to 480

  startFrame();
  drawScene(0.5f, 0, 0.5f, 1);
  EXPECT_EQ(pixel(200, 300), kClear);
  EXPECT_EQ(pixel(450, 300), kBlue);
  EXPECT_EQ(pixel(600, 300), kRed);  // the middle of the right half
}

TEST_F(SceneLayerPixels, SceneWithStencilEqualOneDrawsOnlyWhereTheMaskIs) {
  // 256 x 256 texels, opaque on the left half: stencil 1 under columns 0
  // to 127 of rows 0 to 255.
  auto picture = std::make_unique<Image32>();
  picture->setSize(256, 256);
  for (int i = 0; i < 256 * 256; ++i) picture->pixels[i * 4 + 3] = i % 256 < 128 ? 255 : 0;
  auto texture = std::make_unique<TextureImage>();
  texture->flags = TextureImage::TEX_NO_MIPMAPS;
  texture->upload(std::move(picture));
  ASSERT_TRUE(kst::theBitmapStock().add("mask", texture.release()));
  kst::BrushAlphaToStencil mask;
  mask.bitmapName = "mask";
  mask.parameters[0].defaultValue = mask.parameters[1].defaultValue = -1;
  mask.Draw(0);
  auto brush = sceneLayer(0, 0, 1, 1);
  brush->stencilFunction = GL_EQUAL;
  brush->stencilReference = 1;
  brush->Draw(0);
  kst::theBitmapStock().unload("mask");

  EXPECT_EQ(pixel(60, 100), kBlue);
  EXPECT_EQ(pixel(200, 100), kClear);
  EXPECT_EQ(pixel(60, 400), kClear);
}

TEST_F(SceneLayerPixels, WithoutBackgroundEarlierLayersStayWhileTheDepthIsStillReset) {
  gl.glClearColor(0, 1, 0, 1);
  gl.glClearDepth(0);  // nearer than anything: the square shows only if the depth is reset
  gl.glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  gl.glClearDepth(1);
  auto brush = sceneLayer(0, 0, 1, 1);
  brush->fillBackground = false;
  brush->Draw(0);
  EXPECT_EQ(pixel(10, 10), kGreen);
  EXPECT_EQ(pixel(400, 300), kRed);
}

TEST_F(SceneLayerPixels, LayersAfterAScenesFindClockwiseFrontsAgain) {
  drawScene(0, 0, 1, 1);
  kst::BrushFlat flat;  // a clockwise quad over the centre quarter
  for (auto [index, value] : {std::pair{2, 0.5f}, {3, 0.5f}, {4, 0.0f}, {6, 0.0f}})
    flat.parameters[index].defaultValue = value;
  flat.Draw(0);
  EXPECT_EQ(pixel(400, 300), kGreen);

  startFrame();
  for (auto [left, top] : {std::pair{0.0f, 0.0f}, {0.5f, 0.0f}, {0.0f, 0.5f}, {0.5f, 0.5f}})
    drawScene(left, top, 0.5f, 0.5f);
  for (auto [x, y] : {std::pair{10, 10}, {790, 10}, {10, 590}, {790, 590}}) EXPECT_EQ(pixel(x, y), kBlue) << x << ", " << y;
}

TEST_F(SceneLayerPixels, MeshInSceneHidesBehindTheScenesNearerGeometry) {
  drawScene(0, 0, 1, 1);
  drawGreenWallIn(scene);
  EXPECT_EQ(pixel(400, 300), kRed);
  const Rgba beside = pixel(290, 300);  // the wall, left of the square
  EXPECT_GT(beside[1], 0);
  EXPECT_EQ(beside[2], 0);
  EXPECT_EQ(pixel(200, 300), kBlue);  // beyond the wall
}

// A textured scene turns texture units on; the lit wall drawn after it in
// the same frame keeps its own colour rather than taking the scene's black
// texels, as it does after the plain scene.
TEST_F(SceneLayerPixels, MeshAfterATexturedSceneIsNotTintedByItsTexture) {
  auto surface = std::make_unique<Mat_LW>();
  surface->layer1.texture = 0;
  surface->layer1.enabled = true;
  surface->layer1.minFilter = GL_LINEAR;  // one level: complete without mipmaps
  auto textured = layer_test::squareScene({0, 0, 1, 1}, 1, std::move(surface));
  auto black = std::make_unique<Image24>();
  black->setSize(4, 4);
  auto texture = std::make_unique<TextureImage>();
  texture->flags = TextureImage::TEX_NO_MIPMAPS;
  texture->upload(std::move(black));
  textured->addTexture(std::move(texture));
  const std::string name = "textured square";
  textured->prepareAfterLoad(name.c_str());
  ASSERT_TRUE(kst::theSceneStock().add(name.c_str(), new kst::SceneStockEntry(std::move(textured))));
  std::array<Rgba, 2> seen{};
  for (int i = 0; i < 2; ++i) {
    const std::string& drawn = i == 0 ? scene : name;
    startFrame();
    auto view = sceneLayer(0, 0, 1, 1);
    view->sceneName = drawn;
    view->Draw(0);
    drawGreenWallIn(drawn);
    seen[i] = pixel(290, 300);
  }
  kst::theSceneStock().unload(name.c_str());
  EXPECT_GT(seen[0][1], 0);
  EXPECT_EQ(seen[1], seen[0]);
}

TEST_F(SceneLayerPixels, MeshDistanceFactorPlacesTheEyeAndHalvingItEnlargesTheMesh) {
  kst::Mat_Lit material;
  material.ambient = {1, 1, 1, 1};
  kst::BrushMesh brush;
  brush.meshName = strip;
  brush.materials = {&material};
  brush.parameters[2].defaultValue = brush.parameters[3].defaultValue = 1;
  brush.clearDepth = false;
  // Whatever modelview the layers before left, the light sits in eye space.
  glStateCache.SetMatrixMode(GL_MODELVIEW);
  gl.glLoadIdentity();
  gl.glTranslatef(5, 5, 5);
  brush.Draw(0);
  // Eye at 2R, 2 across the view at the strip: y = ±0.25 covers rows 225 to 374.
  EXPECT_NEAR(coveredRows(), 150, 2);
  std::array<float, 4> light{};
  gl.glGetLightfv(GL_LIGHT0, GL_POSITION, light.data());
  EXPECT_EQ(light, (std::array<float, 4>{1, 1, 3, 1}));

  startFrame();
  brush.distanceFactor.defaultValue = 0.5f;
  brush.Draw(0);
  // Eye at 1.5R: ±0.25 · 2 / 1.5 = ±1/3 of the half height, 200 rows.
  EXPECT_NEAR(coveredRows(), 200, 2);
}

TEST_F(SceneLayerPixels, MeshWithoutMaterialsOnlyResetsTheDepthOfItsViewport) {
  gl.glClearDepth(0);
  gl.glClear(GL_DEPTH_BUFFER_BIT);
  gl.glClearDepth(1);
  kst::BrushMesh brush;
  brush.meshName = strip;
  brush.parameters[2].defaultValue = brush.parameters[3].defaultValue = 0.5f;  // columns 200 to 599
  brush.Draw(0);
  EXPECT_EQ(depthAt(400, 300), 1.0f);
  EXPECT_EQ(depthAt(100, 300), 0.0f);
  EXPECT_EQ(depthAt(400, 500), 0.0f);
  EXPECT_EQ(coveredRows(), 0);
}

TEST_F(SceneLayerPixels, ZoomShowsInTheSceneLayerDrawnAfterItInTheSameFrame) {
  auto view = sceneLayer(0, 0, 1, 1);
  view->layer = 1;
  kst::ActivateBrush(0, view.release());
  kst::DrawLayers(0);
  EXPECT_EQ(pixel(280, 300), kBlue);

  startFrame();
  auto* zoom = new kst::BrushEnvelopeZoomFactor;
  zoom->sceneName = scene;
  zoom->zoom.defaultValue = 2;  // twice the near distance: the square spans columns 240 to 560
  kst::ActivateBrush(0, zoom);
  kst::DrawLayers(0.1f);
  kst::ClearLayers();
  EXPECT_EQ(pixel(280, 300), kRed);
  kst::theSceneStock().get(scene.c_str())->scene->cameras[0]->SetNear(1);
}

}  // namespace
