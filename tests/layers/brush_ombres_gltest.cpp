// The shadow layer drawn on the software driver after a backdrop (which
// leaves the depth test at GL_LESS): a plate for the central mesh and
// fifteen small cubes orbiting in front of it. Where the light, 5R away,
// sees a cube in front of the plate, the plate keeps the unlit pass's colour
// and its stencil count is above 0; the middle of the ring's shadow is lit.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <memory>

#include "layers/bitmap_layers.h"
#include "layers/brush_ombres.h"
#include "layers/shadow_meshes.h"
#include "render/camera.h"
#include "render/gl_state_cache.h"
#include "render/gl_table.h"
#include "render/materials/mat_lit.h"
#include "scene/image.h"
#include "scene/mesh/mesh_primitive.h"
#include "scene/texture_image.h"
#include "shell/frame_state.h"
#include "stocks/bitmap_stock.h"
#include "stocks/mesh_stock.h"
#include "support/shared_device.h"

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
// At 10 s the tumble is at its keys (10, 370 and 10 degrees), the rings at
// their 2 s keys, and (10 - 4) x 2.5 = 15 cubes of the first ring show.
constexpr float kTime = 10.0f;
// The plate: 8 x 8, its front at z = -2.5. The corner farther out is
// (4, 4, 3), so R = 4: the eye at (0, 4, 12), the shadows' light at
// (4, 4, 20).
constexpr float kR = 4.0f;
const Vector3 kLight{kR, kR, 5 * kR};

void stock(const char* name, Vector3 low, Vector3 high) {
  auto mesh = std::make_unique<MeshPrimitive>();
  mesh->source = shadow_test::box(low, high);
  mesh->build(true, kst::RobustMesh::kBuildNormals | kst::RobustMesh::kBuildTopology);
  kst::theMeshStock().add(name, mesh.release());
}

void stockGreySky() {
  auto picture = std::make_unique<Image32>();
  picture->setSize(4, 4);
  for (int i = 0; i < 4 * 4 * 4; ++i) picture->pixels[i] = 128;
  auto texture = std::make_unique<TextureImage>();
  texture->flags = TextureImage::TEX_NO_MIPMAPS;
  texture->upload(std::move(picture));
  kst::theBitmapStock().add("sky", texture.release());
}

Vector3 cubeCentre(int index) {
  // Ring 0 at 2 s of its 8-s cycle: radius 1.6 (a key), height between its
  // keys (0, -0.1) and (4, 0.2), ends of continuity 1.
  Envelope height;
  height.addKey(0, -0.1f, 1, 0, 0);
  height.addKey(4, 0.2f, 0, 0, 0);
  height.addKey(8, -0.1f, 1, 0, 0);
  const float angle = static_cast<float>(index) * -0.3926991f;
  const Vector3 onRing{1.6f * std::cos(angle), evaluateEnvelope(height, 2.0f), 1.6f * std::sin(angle)};
  return Matrix44().RotationAxis(15 * kTime, {0.2f, 0.9f, 0}).TransformPoint(onRing);
}

// Where the ray from the light through `through` meets the plate's front.
Vector3 onPlate(Vector3 through) {
  const Matrix44 tumble =
      Multiply(Multiply(Matrix44().RotationX(10), Matrix44().RotationY(10)), Matrix44().RotationZ(10));
  const Vector3 normal = tumble.TransformPoint({0, 0, 1});
  const Vector3 point = tumble.TransformPoint({0, 0, -2.5f});
  const Vector3 ray = through - kLight;
  const float s = Dot(normal, point - kLight) / Dot(normal, ray);
  return kLight + ray * s;
}

std::pair<int, int> pixelOf(Vector3 p) {
  Camera camera({0, kR, 3 * kR}, {0, 0, 0}, {0, 1, 0}, kR, 5 * kR, kR / 2, kR / 2);
  return shadow_test::pixelOf(camera, p, kWidth, kHeight);
}

struct Seen {
  std::array<int, 3> colour;
  int stencil;
};

Seen seenAt(std::pair<int, int> pixel) {
  std::array<GLubyte, 4> rgba{};
  GLubyte stencil = 0;
  gl.glReadPixels(pixel.first, pixel.second, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  gl.glReadPixels(pixel.first, pixel.second, 1, 1, GL_STENCIL_INDEX, GL_UNSIGNED_BYTE, &stencil);
  return {{rgba[0], rgba[1], rgba[2]}, stencil};
}

// Whatever the layers before left: the depth test at GL_LESS (a backdrop)
// or counter-clockwise front faces.
class ShadowLayerPixels : public ::testing::TestWithParam<bool> {};

TEST_P(ShadowLayerPixels, CubesShadowThePlateWhereTheLightSeesThemAndTheRestIsLit) {
  ASSERT_TRUE(fake::sharedRenderDevice("Skyward shadow layer test", kWidth, kHeight));
  glStateCache.Reset();
  gl.glViewport(0, 0, kWidth, kHeight);
  shell::ResetFrameState();
  stockGreySky();
  stock("plate", {-4, -4, -3}, {4, 4, -2.5f});
  stock("cube", {-2, -2, -2}, {2, 2, 2});  // 0.4 across once scaled
  kst::BrushBackdrop sky;
  sky.bitmapName = "sky";
  sky.Draw(0);
  if (!GetParam()) gl.glFrontFace(GL_CCW);

  // Unlit, the plate is its ambient blue times GL's global ambient 0.2
  // (51); the light adds its diffuse red.
  kst::Mat_Lit plate;
  plate.ambient = {0, 0, 1, 1};
  plate.diffuse = {1, 0, 0, 1};
  kst::Mat_Lit cubes;
  kst::BrushOmbres layer;
  layer.centralMeshName = "plate";
  layer.objectMeshNames = {"cube"};
  layer.baseMaterials = {&plate};
  layer.objectMaterials = {&cubes};
  layer.parameters[kst::Brush::kWidth].defaultValue = 1;
  layer.parameters[kst::Brush::kHeight].defaultValue = 1;
  layer.Draw(kTime);

  // Cube 7 stands nearest the middle of the picture; its own image is well
  // away from its shadow's.
  const Seen shadowed = seenAt(pixelOf(onPlate(cubeCentre(7))));
  EXPECT_EQ(shadowed.colour, (std::array<int, 3>{0, 0, 51}));
  EXPECT_GT(shadowed.stencil, 0);
  const Seen lit = seenAt(pixelOf(onPlate({0, 0, 0})));
  EXPECT_GT(lit.colour[0], 100);
  EXPECT_EQ(lit.colour[2], 51);
  EXPECT_EQ(lit.stencil, 0);

  kst::theMeshStock().clear();
  kst::theBitmapStock().unload("sky");
}

INSTANTIATE_TEST_SUITE_P(AfterABackdrop, ShadowLayerPixels, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Alone" : "WithCounterClockwiseFronts"; });

}  // namespace
