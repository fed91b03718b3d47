// A whole scene through a scene file, drawn on the software GL driver: a
// textured square carried across the frame by an animated transform, seen
// through a camera node; then kstview's screenshot of the same file.
#include <gtest/gtest.h>

#include <FreeImage.h>

#include <array>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "persist/class_registration.h"
#include "render/gl_state_cache.h"
#include "render/gl_table.h"
#include "scene/animation/keyframe_handler.h"
#include "scene/image.h"
#include "scene/mesh/mesh_primitive.h"
#include "scene/nodes/camera_node.h"
#include "scene/nodes/shape_node.h"
#include "scene/nodes/transform_node.h"
#include "scene/scene.h"
#include "scene/scene_io.h"
#include "scene/surfaces/surface.h"
#include "scene/texture_image.h"
#include "shell/frame_state.h"
#include "support/picture_files.h"
#include "support/shared_device.h"

namespace {

using Rgb = std::array<int, 3>;
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kBackground{0, 0, 128};

// A 2 × 2 square at z = 0 facing a camera on −z: counter-clockwise on screen,
// the front faces of a scene's render list.
std::unique_ptr<MeshPrimitive> square() {
  auto source = std::make_unique<kst::RobustMesh>();
  source->SetVertices({{-1, -1, 0}, {1, -1, 0}, {1, 1, 0}, {-1, 1, 0}});
  source->SetTriangles({0, 1, 2, 0, 2, 3}, {0, 0}, 1);
  source->AddCornerTexCoords(std::vector<kst::TexCoord>(6, {0.5f, 0.5f}));
  auto mesh = std::make_unique<MeshPrimitive>();
  mesh->source = std::move(source);
  mesh->surfaceNames = {"red"};
  mesh->build(true, 0);
  return mesh;
}

std::unique_ptr<TextureImage> redTexture() {
  auto picture = std::make_unique<Image24>();
  picture->setSize(2, 2);
  for (std::size_t i = 0; i < picture->byteSize(); i += 3) picture->pixels[i] = 255;  // red, green, blue order
  auto texture = std::make_unique<TextureImage>();
  texture->flags = TextureImage::TEX_NO_MIPMAPS;
  texture->upload(std::move(picture));
  return texture;
}

// Camera 10 in front of the origin; the square moves from x = −2 at t = 0
// to x = 2 at t = 1. At that distance one world unit is 80 pixels.
std::unique_ptr<Scene> movingSquare() {
  auto scene = std::make_unique<Scene>();
  auto surface = std::make_unique<Mat_LW>();
  surface->name = "red";
  surface->layer1 = {0, 0, 0, GL_NEAREST, GL_NEAREST, true};
  scene->addSurface(std::move(surface));
  scene->addTexture(redTexture());
  scene->addMesh(square());
  scene->backgroundColor = {0, 0, 0.5f, 1};

  scene->root = std::make_unique<TransformNode>();
  attachNode(std::make_unique<CameraNode>(Camera({0, 0, -10}, {0, 0, 0}, {0, 1, 0}, 1, 100, 0.5f, 0.375f),
                                          scene.get()), *scene->root);
  auto path = std::make_unique<LW6KeyframeHandler>();
  path->x.addKey(0, -2, 0, 0, 0).shape = kShapeLinear;
  path->x.addKey(1, 2, 0, 0, 0).shape = kShapeLinear;
  auto mover = std::make_unique<TransformNode>();
  mover->setPosition(std::move(path));
  auto& shape = static_cast<ShapeNode&>(attachNode(std::make_unique<ShapeNode>(scene.get()), *mover));
  shape.setMeshIndex(0);
  attachNode(std::move(mover), *scene->root);
  scene->root->setScene(scene.get());
  return scene;
}

class SceneFilePixels : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    RegisterClassFactories();
    ASSERT_TRUE(fake::sharedRenderDevice("Skyward scene nodes test", 800, 600));
    glStateCache.Reset();
    std::unique_ptr<Scene> scene = movingSquare();
    writeScene(file(), *scene);
  }
  static std::string file() {
    static const std::string path = fake::freshFolder("scene_nodes") + "/moving.kst";
    return path;
  }

  static Rgb pixel(int x, int y) {
    std::array<std::uint8_t, 4> p{};
    gl.glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p.data());
    return {p[0], p[1], p[2]};
  }
};

TEST_F(SceneFilePixels, AnimatedTransformCarriesTheSquareAcrossTheFrame) {
  std::unique_ptr<Scene> scene = readScene(file());
  ASSERT_NE(scene, nullptr);
  scene->prepareAfterLoad(file().c_str());
  ASSERT_EQ(scene->cameras.size(), 1u);
  for (float t : {0.0f, 1.0f}) {
    SCOPED_TRACE(t);
    gl.glViewport(0, 0, 800, 600);
    shell::ResetFrameState();
    gl.glClearColor(0, 0, 0.5f, 1);
    gl.glClear(GL_COLOR_BUFFER_BIT);
    scene->setPendingCamera(0);
    scene->update(t);
    scene->render();
    // The square spans x −3 .. −1 at t = 0 (columns 160 .. 320), 1 .. 3 at t = 1.
    EXPECT_EQ(pixel(240, 300), t == 0 ? kRed : kBackground);
    EXPECT_EQ(pixel(560, 300), t == 0 ? kBackground : kRed);
    EXPECT_EQ(pixel(400, 300), kBackground);
  }
  EXPECT_EQ(gl.glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

Rgb shotPixel(FIBITMAP* shot, int x, int y) {
  RGBQUAD colour{};
  FreeImage_GetPixelColor(shot, x, y, &colour);  // row 0 at the bottom, as GL's
  return {colour.rgbRed, colour.rgbGreen, colour.rgbBlue};
}

// Through the scene's camera at t = 1 the square is right of the middle;
// through the orbit camera framed on what the scene shows at t = 0 (the
// square, its middle at x = -2) it is in the middle.
TEST_F(SceneFilePixels, KstviewWritesTheFrameAtTheTimeAsked) {
  struct Case {
    const char* arguments;
    int redColumn;
    int backgroundColumn;
  };
  const Case cases[] = {{"--camera 0 --time 1", 560, 240}, {"--orbit 0,0,fit", 400, 20}};
  const std::string shot = fake::freshFolder("kstview") + "/shot.png";
  for (const Case& c : cases) {
    const std::string command = std::string(SKYWARD_KSTVIEW) + " --headless " + c.arguments + " --screenshot " +
                                shot + " " + file();
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    FIBITMAP* picture = FreeImage_Load(FIF_PNG, shot.c_str(), PNG_DEFAULT);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(shotPixel(picture, c.redColumn, 300), kRed) << command;
    EXPECT_EQ(shotPixel(picture, c.backgroundColumn, 300), kBackground) << command;
    FreeImage_Unload(picture);
  }
}

// What the viewer refuses, and what it holds and says: each case's exit
// code and a piece of what it says on the error output (the file, the reason).
TEST_F(SceneFilePixels, KstviewRefusesWhatItCannotShowAndSaysWhy) {
  const std::string folder = fake::freshFolder("kstview-refusals");
  const std::string picture = folder + "/picture.png";
  const std::string shot = folder + "/shot.png";
  ASSERT_TRUE(fake::writePicture(fake::Picture::make(4, 4, 3, [](int, int) { return std::array{1, 2, 3}; }), picture,
                                 fake::PictureFormat::Png));
  struct Case {
    std::string arguments;
    int exitCode;
    std::string said;
  };
  const Case cases[] = {
      {"/nonexistent/scene.kst", 1, "/nonexistent/scene.kst: cannot open"},
      {"--camera 7 " + file(), 1, file() + " has 1 camera (0); there is no camera 7"},
      {folder, 1, folder + ": is a folder"},
      {picture, 1, picture + ": not a scene file"},
      {"--orbit nan,0,5 " + file(), 2, "expected YAW,PITCH,DISTANCE"},
      {"--time -1 " + file(), 2, "zero or more"},
      {"--orbit 0,120,fit " + file(), 0, "--orbit pitch 120 is beyond 89 degrees: 89 is used"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.arguments);
    const std::string said = folder + "/said.txt";
    const int status = std::system((std::string(SKYWARD_KSTVIEW) + " --headless --screenshot " + shot + " " +
                                    c.arguments + " 2>" + said + " >/dev/null").c_str());
    EXPECT_EQ(WEXITSTATUS(status), c.exitCode);
    std::ifstream in(said);
    const std::string text{std::istreambuf_iterator<char>(in), {}};
    EXPECT_NE(text.find(c.said), std::string::npos) << text;
  }
}

}  // namespace
