// A whole scene through a scene file, drawn on the software GL driver: a
// textured square carried across the frame by an animated transform, seen
// through a camera node; then kstview's screenshot of the same file.
#include <gtest/gtest.h>

#include <FreeImage.h>

#include <array>
#include <cstdlib>
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

TEST_F(SceneFilePixels, KstviewWritesTheFrameAtTheTimeAsked) {
  const std::string shot = fake::freshFolder("kstview") + "/shot.png";
  const std::string command = std::string(SKYWARD_KSTVIEW) + " --headless --camera 0 --time 1 --screenshot " + shot +
                              " " + file();
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  FIBITMAP* picture = FreeImage_Load(FIF_PNG, shot.c_str(), PNG_DEFAULT);
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(shotPixel(picture, 560, 300), kRed);
  EXPECT_EQ(shotPixel(picture, 240, 300), kBackground);
  FreeImage_Unload(picture);

  // A file that cannot be read: the file, the reason, exit code 1.
  const std::string missing = std::string(SKYWARD_KSTVIEW) + " --headless --screenshot " + shot +
                              " /nonexistent/scene.kst 2>&1 | grep -q '/nonexistent/scene.kst: cannot open'";
  EXPECT_EQ(std::system(missing.c_str()), 0);
  const int status = std::system((std::string(SKYWARD_KSTVIEW) + " --headless --screenshot " + shot +
                                  " /nonexistent/scene.kst 2>/dev/null").c_str());
  EXPECT_EQ(WEXITSTATUS(status), 1);
}

}  // namespace
